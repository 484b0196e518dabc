#include "VexAECBConverter.h"

#include "VexError.h"
#include "VexFrmEditor.h"

std::unique_ptr<VexListValVexBaseUnknown_var> VexAECBConverter::GetObjectsInCSO(
    const char* interfaceName) const {
  const VexIID* iid = VexInterfaceRegistry::Find(interfaceName);
  if (!iid) {
    throw VexInternalError(3, "UnknownInterface", kVexHostCatalog,
                           {VexUnicodeString(interfaceName ? interfaceName : "")});
  }
  VexFrmEditor* editor = VexFrmEditor::GetCurrentEditor();
  if (!editor) return nullptr;
  const std::vector<VexBaseUnknown_var> leaves = editor->GetCSO()->GetLeaves();
  auto objects = std::make_unique<VexListValVexBaseUnknown_var>(static_cast<int>(leaves.size()));
  for (const auto& leaf : leaves) {
    if (VexBaseUnknown* offered = leaf->QueryInterface(*iid)) {
      objects->Append(VexBaseUnknown_var(offered));
    }
  }
  return objects;
}
