#include "VexPlantText.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <unordered_map>

#include "VexError.h"

namespace {

constexpr const char* kCatalog = "VexImportMsgCatalog";

std::string_view Trim(std::string_view text) {
  std::size_t start = text.find_first_not_of(" \t\r");
  if (start == std::string_view::npos) return {};
  std::size_t end = text.find_last_not_of(" \t\r");
  return text.substr(start, end - start + 1);
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> fields;
  for (;;) {
    std::size_t at = text.find(separator);
    fields.push_back(Trim(text.substr(0, at)));
    if (at == std::string_view::npos) return fields;
    text.remove_prefix(at + 1);
  }
}

// Network entries of the sample's description: they belong to the EDSA project, not the plant.
bool IsNetworkEntry(std::string_view kind) {
  for (const char* network : {"node", "branch", "link", "master", "length", "job"}) {
    if (kind == network) return true;
  }
  return false;
}

class TextReader {
 public:
  explicit TextReader(const VexUnicodeString& fileName) : fileName_(fileName) {}

  void ReadLine(std::string_view line, int number) {
    line_ = number;
    line = Trim(line);
    if (line.empty() || line[0] == '#') return;
    std::vector<std::string_view> f = Split(line, '|');
    std::string_view kind = f[0];
    if (kind == "element") {
      Expect(f, 4, "element | <name> | <kind> | <type text>");
      AddElement(f);
    } else if (kind == "route") {
      Expect(f, 3, "route | <name> | x y z ; x y z ; ...");
      Route(f);
    } else if (kind == "placement") {
      Expect(f, 4, "placement | <name> | x y z | dx dy dz");
      Placement(f);
    } else if (kind == "number") {
      Expect(f, 4, "number | <name> | <attribute> | <value>");
      Element(f[1]).Put({AttributeName(f[2]), Number(f[3])});
    } else if (kind == "text") {
      Expect(f, 4, "text | <name> | <attribute> | <text>");
      Element(f[1]).Put({AttributeName(f[2]), VexUnicodeString(f[3])});
    } else if (kind == "skipped" || kind == "note") {
      Expect(f, 3, std::string(kind) + " | <what> | <why>");
      (kind == "note" ? model_.notes : model_.skipped)
          .push_back({VexUnicodeString(f[1]), VexUnicodeString(f[2])});
    } else if (kind == "other") {
      Expect(f, 3, "other | <sort> | <count>");
      double count = Number(f[2]);
      if (count < 0 || count != std::floor(count)) Fail("the count must be a whole number");
      // Far below what a long holds, so that neither the conversion nor the sum can overflow.
      if (count > 1e12) Fail("the count is beyond any model");
      model_.others[std::string(f[1])] += static_cast<long>(count);
    } else if (IsNetworkEntry(kind)) {
      ++model_.others["network entries of the EDSA project"];
    } else {
      Fail("\"" + std::string(kind) + "\" is not an entry of the plant text format");
    }
  }

  VexPlantModel Finish() {
    CheckNamesTellElementsApart();
    return std::move(model_);
  }

 private:
  [[noreturn]] void Fail(const std::string& why) const {
    throw VexInputError(2, "ImportTextBadLine", kCatalog,
                        {fileName_, VexUnicodeString(std::to_string(line_)), VexUnicodeString(why)});
  }

  void Expect(const std::vector<std::string_view>& fields, std::size_t count,
              const std::string& form) const {
    if (fields.size() != count) Fail("expected " + form);
    if (fields[1].empty()) Fail("the name is empty");
  }

  void AddElement(const std::vector<std::string_view>& f) {
    auto kind = VexElementKindFromName(f[2]);
    if (!kind) {
      Fail("unknown kind \"" + std::string(f[2]) +
           "\" (Equipment, Conduit, Tray, Cable, Structure or Other)");
    }
    VexImportedElement element;
    element.name = VexUnicodeString(f[1]);
    element.kind = *kind;
    element.typeText = VexUnicodeString(f[3]);
    latest_[std::string(f[1])] = model_.elements.size();
    model_.elements.push_back(std::move(element));
    lines_.push_back(line_);
  }

  VexImportedElement& Element(std::string_view name) {
    auto found = latest_.find(std::string(name));
    if (found == latest_.end()) Fail("no element \"" + std::string(name) + "\" above this line");
    return model_.elements[found->second];
  }

  VexString AttributeName(std::string_view name) const {
    if (name.empty()) Fail("the attribute needs a name");
    // A control byte (a NUL above all) would cut or hide the name when it is written back.
    for (char c : name) {
      if (static_cast<unsigned char>(c) < 0x20) Fail("the attribute name holds a control character");
    }
    return VexString(std::string(name));
  }

  double Number(std::string_view text) const {
    double value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        !std::isfinite(value)) {
      Fail("\"" + std::string(text) + "\" is not a number");
    }
    return value;
  }

  double Coordinate(std::string_view text) const {
    double value = Number(text);
    if (!VexIsSensibleCoordinate(value)) {
      Fail(std::string(text) + " mm is out of any plant (more than 1000 km from the origin)");
    }
    return value;
  }

  VexRoutePoint Point(std::string_view text) const {
    std::vector<std::string_view> numbers;
    for (std::size_t at = 0; at < text.size();) {
      std::size_t start = text.find_first_not_of(" \t", at);
      if (start == std::string_view::npos) break;
      std::size_t end = std::min(text.find_first_of(" \t", start), text.size());
      numbers.push_back(text.substr(start, end - start));
      at = end;
    }
    if (numbers.size() != 3) Fail("a point is three numbers x y z, not \"" + std::string(text) + "\"");
    return {Coordinate(numbers[0]), Coordinate(numbers[1]), Coordinate(numbers[2])};
  }

  void Route(const std::vector<std::string_view>& f) {
    VexImportedElement& element = Element(f[1]);
    element.route.clear();
    for (std::string_view point : Split(f[2], ';')) element.route.push_back(Point(point));
    if (element.route.size() < 2) Fail("a route needs at least two points");
  }

  void Placement(const std::vector<std::string_view>& f) {
    VexImportedElement& element = Element(f[1]);
    VexRoutePoint size = Point(f[3]);
    if (size.x < 0 || size.y < 0 || size.z < 0) Fail("a placement's size cannot be negative");
    element.placement = VexPlacement{Point(f[2]), size.x, size.y, size.z};
  }

  void CheckNamesTellElementsApart() {
    std::unordered_map<std::string, int> seen;
    for (std::size_t i = 0; i < model_.elements.size(); ++i) {
      const VexImportedElement& element = model_.elements[i];
      if (element.SourceId()) continue;
      auto [at, added] = seen.emplace(element.name.str(), lines_[i]);
      if (!added) {
        line_ = lines_[i];
        Fail("a second element called \"" + element.name.str() + "\" (the first is on line " +
             std::to_string(at->second) + "); names tell elements apart unless they have a SourceId");
      }
    }
  }

  VexUnicodeString fileName_;
  VexPlantModel model_;
  std::vector<int> lines_;  // the line of each element
  std::unordered_map<std::string, std::size_t> latest_;
  int line_ = 0;
};

std::string Clean(const VexUnicodeString& text) {
  std::string clean = text.str();
  for (char& c : clean) {
    if (c == '|') c = '/';
    if (c == '\n' || c == '\r') c = ' ';
  }
  return std::string(Trim(clean));
}

// The first field after the entry's kind names something and cannot be left empty.
std::string Key(const VexUnicodeString& text) {
  std::string key = Clean(text);
  return key.empty() ? std::string("-") : key;
}

std::string Number(double value) {
  char buffer[32];
  auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, end);
}

std::string Point(const VexRoutePoint& p) { return Number(p.x) + ' ' + Number(p.y) + ' ' + Number(p.z); }

}  // namespace

std::optional<VexUnicodeString> VexImportedElement::SourceId() const {
  for (const VexElementAttribute& attribute : attributes) {
    if (attribute.name == VexString(kVexSourceIdAttribute) && !attribute.IsNumber()) {
      return std::get<VexUnicodeString>(attribute.value);
    }
  }
  return std::nullopt;
}

void VexImportedElement::Put(VexElementAttribute attribute) {
  for (VexElementAttribute& existing : attributes) {
    if (existing.name == attribute.name) {
      existing = std::move(attribute);
      return;
    }
  }
  attributes.push_back(std::move(attribute));
}

VexPlantModel VexReadPlantText(std::string_view bytes, const VexUnicodeString& fileName) {
  TextReader reader(fileName);
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  int number = 0;
  while (!bytes.empty()) {
    std::size_t end = bytes.find('\n');
    reader.ReadLine(bytes.substr(0, end), ++number);
    if (end == std::string_view::npos) break;
    bytes.remove_prefix(end + 1);
  }
  return reader.Finish();
}

std::string VexWritePlantText(const VexPlantModel& model) {
  std::string text;
  for (const VexImportedElement& e : model.elements) {
    std::string name = Key(e.name);
    text += "element | " + name + " | " + VexElementKindName(e.kind) + " | " + Clean(e.typeText) + '\n';
    if (!e.route.empty()) {
      text += "route | " + name + " | ";
      for (std::size_t i = 0; i < e.route.size(); ++i) text += (i ? " ; " : "") + Point(e.route[i]);
      text += '\n';
    }
    if (e.placement) {
      const VexPlacement& p = *e.placement;
      text += "placement | " + name + " | " + Point(p.origin) + " | " +
              Point({p.sizeX, p.sizeY, p.sizeZ}) + '\n';
    }
    for (const VexElementAttribute& a : e.attributes) {
      text += a.IsNumber() ? "number | " + name + " | " + a.name.str() + " | " + Number(std::get<double>(a.value))
                           : "text | " + name + " | " + a.name.str() + " | " + Clean(std::get<VexUnicodeString>(a.value));
      text += '\n';
    }
  }
  for (const VexImportRemark& r : model.skipped) text += "skipped | " + Key(r.what) + " | " + Clean(r.why) + '\n';
  for (const VexImportRemark& r : model.notes) text += "note | " + Key(r.what) + " | " + Clean(r.why) + '\n';
  for (const auto& [sort, count] : model.others) text += "other | " + Key(VexUnicodeString(sort)) + " | " + std::to_string(count) + '\n';
  return text;
}
