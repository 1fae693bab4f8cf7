#include "install/manifest.h"

#include "common/error.h"
#include "common/text_rules.h"

namespace install {

namespace {

const std::string kNoFolder;

// The entries as rows of constant data, made into the manifest's entries by
// one loop per list: far less code than an initialiser for each entry.
enum class CopyKind { Plain, Conditional, Temporary };

struct CopyRow {
    const char* label;
    Base base;
    const char* name;
    CopyKind kind;
};

constexpr CopyRow kCopies[] = {
    {"C1", Base::Install, "\\instaide.dll", CopyKind::Plain},
    {"C2", Base::Install, "\\quinTool.dll", CopyKind::Plain},
    {"C3", Base::Install, "\\Quintara.prc", CopyKind::Plain},
    {"C4", Base::Install, "\\MathLib.prc", CopyKind::Plain},
    {"C5", Base::Install, "\\Quintara.dll", CopyKind::Plain},
    {"C6", Base::Install, "\\QuinFrm.dll", CopyKind::Plain},
    {"C7", Base::Install, "\\condinst.dll", CopyKind::Temporary},
    {"C8", Base::Install, "\\condmgr.dll", CopyKind::Temporary},
    {"C9", Base::Install, "\\QuinConv.dll", CopyKind::Plain},
    // excelDir carries its own trailing backslash.
    {"C10", Base::Excel, "QuinConv.dll", CopyKind::Conditional},
    {"C11", Base::Excel, "instaide.dll", CopyKind::Conditional},
    {"C12", Base::Install, "\\hsapi.dll", CopyKind::Temporary},
    {"C13", Base::Install, "\\uninst.exe", CopyKind::Plain},
    {"C14", Base::Install, "\\Quin4P.xla", CopyKind::Plain},
    {"C15", Base::Install, "\\Quintara.jpg", CopyKind::Plain},
    {"C16", Base::Install, "\\Sleep.exe", CopyKind::Plain},
    {"C17", Base::Install, "\\license.txt", CopyKind::Plain},
    {"C18", Base::Install, "\\MathLib.txt", CopyKind::Plain},
    {"C19", Base::Startup, "\\Quin4P.xla", CopyKind::Conditional},
    {"C20", Base::Install, "\\Documentation.pdf", CopyKind::Plain},
};

// The two applications are queued from their copies in the install folder,
// the databases straight from the setup folder.
struct HandheldRow {
    const char* label;
    Base queuedFrom;
    const char* name;
};

constexpr HandheldRow kHandheldFiles[] = {
    {"H1", Base::Install, "\\Quintara.prc"}, {"H2", Base::Install, "\\MathLib.prc"},
    {"H3", Base::Setup, "\\CarLoan.pdb"},    {"H4", Base::Setup, "\\Conversion.pdb"},
    {"H5", Base::Setup, "\\Planets.pdb"},
};

// Every shortcut is made in the product's own Start-menu folder.
constexpr const char* kMenuFolder = "\\Quintara4Palm\\";

struct ShortcutRow {
    const char* label;
    const char* name; // within kMenuFolder
    Base targetBase;
    const char* target;
    std::int16_t flag;
};

constexpr ShortcutRow kShortcuts[] = {
    {"S1", kProductDomain, Base::None, kProductSite, 0},
    {"S2", "Documentation", Base::Install, "\\Documentation.pdf", 0},
    // The target is a folder, hence the trailing backslash and the flag.
    {"S3", "Sheets", Base::User, "\\Quintara4Palm\\", -1},
    {"S4", "uninstall", Base::Install, "\\uninst.exe", 0},
};

// The source of every copy is the setup folder followed by the backslash-led
// form of the destination's file name, in the destination's case.
CopyEntry copyEntry(const CopyRow& row) {
    const std::string name = row.name;
    CopyEntry entry{row.label, ManifestPath{Base::Setup, name.front() == '\\' ? name : "\\" + name},
                    ManifestPath{row.base, name}};
    entry.conditional = row.kind == CopyKind::Conditional;
    entry.temporary = row.kind == CopyKind::Temporary;
    return entry;
}

// The fallback always copies from the setup folder, so it does not depend on
// an earlier copy into the install folder having worked.
HandheldEntry handheld(const HandheldRow& row) {
    const std::string name = row.name;
    return HandheldEntry{row.label, ManifestPath{row.queuedFrom, name},
                         ManifestPath{Base::Setup, name},
                         ManifestPath{Base::User, "\\Install" + name}};
}

Manifest build() {
    Manifest m;
    m.folders = {
        {"F1", {Base::Programs, "\\Quintara4Palm"}},
        {"F2", {Base::Install, ""}},
    };
    for (const CopyRow& row : kCopies) {
        m.copies.push_back(copyEntry(row));
    }
    for (const HandheldRow& row : kHandheldFiles) {
        m.handheldFiles.push_back(handheld(row));
    }
    for (const ShortcutRow& row : kShortcuts) {
        m.shortcuts.push_back(ShortcutEntry{
            row.label, ManifestPath{Base::Programs, std::string(kMenuFolder) + row.name},
            ManifestPath{row.targetBase, row.target}, row.flag});
    }
    return m;
}

template <typename Entry>
const Entry& byLabel(const std::vector<Entry>& entries, const std::string& label) {
    for (const Entry& entry : entries) {
        if (entry.label == label) {
            return entry;
        }
    }
    throw common::SetupError("No manifest entry " + label);
}

} // namespace

const std::string& Folders::of(Base base) const {
    switch (base) {
    case Base::Setup:
        return setupDir;
    case Base::Install:
        return installDir;
    case Base::Excel:
        return excelDir;
    case Base::Startup:
        return startupPath;
    case Base::Programs:
        return programsDir;
    case Base::User:
        return userDir;
    case Base::None:
        break;
    }
    return kNoFolder;
}

bool isUsableFolder(const std::string& folder) {
    using common::isSeparator;
    if (folder.size() >= 3 && common::driveLetterOf(folder) != 0 && isSeparator(folder[2])) {
        return true;
    }
    return folder.size() >= 3 && isSeparator(folder[0]) && isSeparator(folder[1]) &&
           !isSeparator(folder[2]);
}

bool isInstallableFolder(const std::string& folder) {
    using common::isSeparator;
    std::size_t end = folder.size();
    while (end > 0 && isSeparator(folder[end - 1])) {
        --end;
    }
    if (!isUsableFolder(folder) || end <= 2) {
        return false;
    }
    if (common::driveLetterOf(folder) != 0 && isSeparator(folder[2])) {
        return true; // "C:\" itself ends at 2
    }
    // "\\server\share": a separator after the server's name, and none after the share's.
    const std::size_t share = folder.find_first_of("\\/", 2);
    return share != std::string::npos && share < end &&
           folder.find_first_of("\\/", share + 1) < end;
}

std::string ManifestPath::formed(const Folders& folders) const {
    return folders.of(base) + literal;
}

std::optional<std::string> ManifestPath::resolve(const Folders& folders) const {
    if (base != Base::None && !isUsableFolder(folders.of(base))) {
        return std::nullopt;
    }
    if (base == Base::Install && !isInstallableFolder(folders.installDir)) {
        return std::nullopt;
    }
    return formed(folders);
}

const FolderEntry& Manifest::folder(const std::string& label) const {
    return byLabel(folders, label);
}
const CopyEntry& Manifest::copy(const std::string& label) const {
    return byLabel(copies, label);
}
const HandheldEntry& Manifest::handheldFile(const std::string& label) const {
    return byLabel(handheldFiles, label);
}
const ShortcutEntry& Manifest::shortcut(const std::string& label) const {
    return byLabel(shortcuts, label);
}

const Manifest& manifest() {
    static const Manifest kManifest = build();
    return kManifest;
}

} // namespace install
