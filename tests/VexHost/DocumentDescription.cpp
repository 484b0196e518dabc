#include "DocumentDescription.h"

#include <sstream>

std::string DescribeDocument(const VexDocument& document) {
  std::ostringstream out;
  for (const auto& element : document.GetElements()) {
    out << element->Id() << ' ' << element->Name() << " (" << element->TypeText() << ", "
        << VexElementKindName(element->GetKind()) << ")";
    for (const VexRoutePoint& p : element->GetRoutePoints()) {
      out << " [" << p.x << ' ' << p.y << ' ' << p.z << ']';
    }
    for (const VexElementAttribute& a : element->GetAttributes()) {
      out << ' ' << a.name << '=';
      if (a.IsNumber()) {
        out << std::get<double>(a.value);
      } else {
        out << '"' << std::get<VexUnicodeString>(a.value) << '"';
      }
    }
    out << '\n';
  }
  for (const auto& [key, value] : document.GetProperties()) out << key << ": " << value << '\n';
  return out.str();
}
