#pragma once
// What nodes and branches share: their row in the document, the plant elements linked to them, and
// their place in a navigation graph. A node or branch belongs to the network model of its
// document until it is deleted (or the document closes); after that it keeps its identifiers but
// has no links and no neighbours.

#include <cstdint>
#include <memory>
#include <vector>

#include "VexIAECElement.h"
#include "VexIGrd3DComponent.h"
#include "VexGrdNavigationParent.h"
#include "VexIGrdNavigate.h"

class VexGrdNetworkModel;

class VexGrdNetworkObject : public VexIGrdNavigate {
 public:
  /// The model holding the object, or null once it was deleted.
  VexGrdNetworkModel* GetModel() const { return model_; }
  std::int64_t GetRowId() const { return rowId_; }
  /// The linked plant elements, in link order.
  const std::vector<VexIAECElement_var>& GetLinks() const;
  bool IsLinkedTo(const VexIAECElement& element) const;

  std::unique_ptr<VexListValVexBaseUnknown_var> GetNavigationChildren() override;
  void SetNavigationParent(VexBaseUnknown_var parent) override;
  VexBaseUnknown_var GetNavigationParent() override;
  VexBaseUnknown_var GetImpl(int mode) override;

 protected:
  VexGrdNetworkObject(VexGrdNetworkModel* model, std::int64_t rowId)
      : model_(model), rowId_(rowId) {}
  ~VexGrdNetworkObject() override = default;

  std::unique_ptr<VexListValVexIGrd3DComponent_var> NewComponentList() const;
  /// Appends the linked elements, as navigate objects, to `neighbours`.
  void AppendLinkedElements(VexListValVexIGrdNavigate_var& neighbours) const;

 private:
  friend class VexGrdNetworkModel;

  // What few objects of a large network have: linked plant elements and a place in a navigation
  // graph. Made on first use, so that a million nodes and as many branches without them cost 32
  // bytes less each.
  struct Extras {
    std::vector<VexIAECElement_var> links;
    VexGrdNavigationParent parent;
  };
  Extras& MakeExtras();
  std::vector<VexIAECElement_var>& MutableLinks() { return MakeExtras().links; }
  /// No links and no parent, as the object was made.
  void ForgetExtras() { extras_.reset(); }

  VexGrdNetworkModel* model_;  // observes; cleared by the model when it lets the object go
  std::int64_t rowId_;
  std::unique_ptr<Extras> extras_;
};
