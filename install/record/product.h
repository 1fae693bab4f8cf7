#pragma once

// Who the product is on the machine, defined once for the setup, its record
// and the uninstaller.
namespace install {

// The product's web domain and site (reserved example names): the S1 shortcut
// is named after the domain and points at the site, the record gives the site
// to the system's list of programs, and the window's footer shows it.
inline constexpr const char* kProductDomain = "quintara4palm.example";
inline constexpr const char* kProductSite = "http://www.quintara4palm.example/";

// The product's key under HKEY_CURRENT_USER; its "installdir" value records
// that an installation was made.
inline constexpr const char* kProductKey = "Software\\Quintara\\Quintara4Palm";

} // namespace install
