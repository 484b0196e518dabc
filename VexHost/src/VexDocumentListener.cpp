#include "VexDocumentListener.h"

// Most holders only reload after a rollback; following single deletions is optional.
void VexDocumentListener::OnElementDeleted(VexDocument& /*document*/,
                                           VexPlantElement& /*element*/) {}

void VexDocumentListener::OnObjectDeleted(VexDocument& /*document*/, VexBaseUnknown& /*object*/) {}
