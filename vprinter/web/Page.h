// The page's files (HTML, CSS, JavaScript), built into vprinter from
// vprinter/web/page/ so it serves them without reading anything else.
#pragma once

#include <string_view>
#include <utility>
#include <vector>

namespace vprinter::web {

struct PageAsset {
  std::string_view body;
  const char* type;  // its Content-Type
};

// Each file with the path it is served at ("/", "/page.css", "/page.js").
const std::vector<std::pair<const char*, PageAsset>>& PageAssets();

}  // namespace vprinter::web
