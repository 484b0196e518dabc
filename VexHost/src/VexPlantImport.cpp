#include "VexPlantImport.h"

#include <filesystem>
#include <unordered_map>
#include <unordered_set>

#include "VexDocumentTransaction.h"
#include "VexError.h"
#include "VexMsgCatalog.h"
#include "VexSession.h"

namespace {

constexpr const char* kCatalog = "VexImportMsgCatalog";

VexUnicodeString CatalogText(const char* key, std::initializer_list<VexUnicodeString> parameters) {
  VexMsgCatalog catalog;
  catalog.LoadMsgCatalog(kCatalog, nullptr);
  VexListValVexUnicodeString list;
  for (const VexUnicodeString& parameter : parameters) list.Append(parameter);
  return catalog.GetCatalogMsg(key).BuildMessage(&list);
}

std::string JoinNames(const std::vector<VexUnicodeString>& names, std::size_t listed) {
  std::string text;
  for (std::size_t i = 0; i < names.size() && i < listed; ++i) text += (i ? ", " : "") + names[i].str();
  if (names.size() > listed) text += ", and " + std::to_string(names.size() - listed) + " more";
  return text;
}

class ModelApplier {
 public:
  ModelApplier(VexDocument& document, const VexUnicodeString& source)
      : document_(document), source_(source) {
    for (const auto& element : document.GetElements()) {
      if (auto id = element->GetTextAttribute(kVexSourceIdAttribute)) bySourceId_.emplace(id->str(), element.get());
      byName_.emplace(element->Name().str(), element.get());  // the first of a name wins
    }
    report_.source = source;
  }

  void Apply(const VexImportedElement& imported) {
    VexPlantElement* existing = Match(imported);
    if (!existing) {
      VexVar<VexPlantElement> created = document_.CreateElement(imported.name, imported.typeText, imported.kind);
      matched_.insert(created->Id());
      Update(*created, imported);
      report_.added.push_back(imported.name);
    } else if (Update(*existing, imported)) {
      report_.updated.push_back(imported.name);
    } else {
      report_.unchanged.push_back(imported.name);
    }
  }

  void RemoveVanished() {
    std::vector<VexVar<VexPlantElement>> vanished;
    for (const auto& element : document_.GetElements()) {
      if (matched_.count(element->Id())) continue;
      auto from = element->GetTextAttribute(kVexSourceFileAttribute);
      if (from && *from == source_) vanished.push_back(element);
    }
    if (vanished.empty()) return;
    std::vector<VexUnicodeString> names;
    for (const auto& element : vanished) names.push_back(element->Name());
    bool remove = VexSession::GetSession().AskYesNo(
        CatalogText("ImportRemoveTitle", {}),
        CatalogText("ImportRemoveQuestion", {VexUnicodeString(std::to_string(names.size())), source_,
                                             VexUnicodeString(JoinNames(names, 12))}));
    for (const auto& element : vanished) {
      if (remove) document_.DeleteElement(*element);
    }
    (remove ? report_.removed : report_.kept) = std::move(names);
  }

  VexImportReport Finish(const VexPlantModel& model) {
    report_.skipped = model.skipped;
    report_.notes = model.notes;
    report_.others = model.others;
    return std::move(report_);
  }

 private:
  VexPlantElement* Match(const VexImportedElement& imported) {
    VexPlantElement* found = nullptr;
    std::optional<VexUnicodeString> sourceId = imported.SourceId();
    if (sourceId) {
      auto byId = bySourceId_.find(sourceId->str());
      if (byId != bySourceId_.end()) found = byId->second;
    }
    if (!found) {
      auto byName = byName_.find(imported.name.str());
      // A name stands for an element only when no source identifier says it is another one.
      if (byName != byName_.end() && (!sourceId || !byName->second->GetTextAttribute(kVexSourceIdAttribute))) {
        found = byName->second;
      }
    }
    if (found && !matched_.insert(found->Id()).second) return nullptr;  // taken by an earlier one
    return found;
  }

  // Brings `element` to what `imported` says; true when anything changed.
  bool Update(VexPlantElement& element, const VexImportedElement& imported) {
    bool changed = false;
    if (element.Name() != imported.name) {
      document_.RenameElement(element, imported.name);
      changed = true;
    }
    if (element.TypeText() != imported.typeText) {
      document_.SetElementType(element, imported.typeText);
      changed = true;
    }
    if (element.GetKind() != imported.kind) {
      document_.SetElementKind(element, imported.kind);
      changed = true;
    }
    if (element.GetRoutePoints() != imported.route) {
      document_.SetRoutePoints(element, imported.route);
      changed = true;
    }
    if (VexGetPlacement(element) != imported.placement) {
      if (imported.placement) {
        VexSetPlacement(document_, element, *imported.placement);
      } else {
        VexRemovePlacement(document_, element);
      }
      changed = true;
    }
    for (const VexElementAttribute& attribute : imported.attributes) changed = Put(element, attribute) || changed;
    Put(element, {kVexSourceFileAttribute, source_});  // where it came from is no change of the plant
    return changed;
  }

  bool Put(VexPlantElement& element, const VexElementAttribute& attribute) {
    if (attribute.IsNumber()) {
      double value = std::get<double>(attribute.value);
      if (element.GetNumberAttribute(attribute.name) == value) return false;
      document_.SetNumberAttribute(element, attribute.name, value);
    } else {
      const VexUnicodeString& value = std::get<VexUnicodeString>(attribute.value);
      if (element.GetTextAttribute(attribute.name) == value) return false;
      document_.SetTextAttribute(element, attribute.name, value);
    }
    return true;
  }

  VexDocument& document_;
  VexUnicodeString source_;
  std::unordered_map<std::string, VexPlantElement*> bySourceId_;
  std::unordered_map<std::string, VexPlantElement*> byName_;
  std::unordered_set<std::int64_t> matched_;
  VexImportReport report_;
};

}  // namespace

VexImportReport VexApplyPlantModel(VexDocument& document, const VexPlantModel& model,
                                   const VexUnicodeString& sourceFile) {
  ModelApplier applier(document, sourceFile);
  for (const VexImportedElement& imported : model.elements) applier.Apply(imported);
  applier.RemoveVanished();
  return applier.Finish(model);
}

VexImportReport VexImportPlantModel(VexDocument& document, const VexUnicodeString& path,
                                    const VexPlantModelReader::Progress& progress) {
  std::error_code error;
  std::filesystem::path absolute = std::filesystem::weakly_canonical(std::filesystem::absolute(path.str()), error);
  VexUnicodeString source(error ? path.str() : absolute.string());
  VexPlantModel model = VexPlantModelReader::Read(source, progress);
  VexImportReport report;
  VexSession::GetSession().RunEvent("import a plant model", [&] {
    // The event's transaction when the document takes part in events, else one of its own.
    VexDocumentTransaction transaction(document);
    report = VexApplyPlantModel(document, model, source);
    transaction.Commit();
  });
  return report;
}

std::string VexImportReport::ToText(std::size_t listed) const {
  std::string text = "Import of " + source.str() + ": " + std::to_string(added.size()) + " added, " +
                     std::to_string(updated.size()) + " updated, " + std::to_string(unchanged.size()) +
                     " unchanged, " + std::to_string(removed.size()) + " removed, " +
                     std::to_string(skipped.size()) + " skipped\n";
  auto names = [&](const char* what, const std::vector<VexUnicodeString>& list) {
    if (!list.empty()) text += std::string("  ") + what + ": " + JoinNames(list, listed) + '\n';
  };
  names("added", added);
  names("updated", updated);
  names("removed", removed);
  names("kept (no longer in the model)", kept);
  auto remarks = [&](const char* what, const std::vector<VexImportRemark>& list) {
    for (std::size_t i = 0; i < list.size() && i < listed; ++i) {
      text += std::string("  ") + what + ": " + list[i].what.str() + ": " + list[i].why.str() + '\n';
    }
    if (list.size() > listed) text += std::string("  ") + what + ": and " + std::to_string(list.size() - listed) + " more\n";
  };
  remarks("skipped", skipped);
  remarks("imported in part", notes);
  if (!others.empty()) {
    std::string counts;
    for (const auto& [sort, count] : others) counts += (counts.empty() ? "" : ", ") + std::to_string(count) + " " + sort;
    text += "  not plant elements: " + counts + '\n';
  }
  return text;
}
