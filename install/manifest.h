#pragma once

// The product's web domain and site (reserved example names), defined once:
// the S1 shortcut is named after the domain and points at the site, and the
// window's footer shows the site.
namespace install {

inline constexpr const char* kProductDomain = "quintara4palm.example";
inline constexpr const char* kProductSite = "http://www.quintara4palm.example/";

} // namespace install
