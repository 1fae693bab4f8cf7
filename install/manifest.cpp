#include "install/manifest.h"

#include "common/error.h"
#include "common/text_rules.h"

namespace install {

namespace {

const std::string kNoFolder;

// The source of every copy is the setup folder followed by the backslash-led
// form of the destination's file name, in the destination's case.
CopyEntry copyEntry(std::string label, Base base, std::string name) {
    const std::string sourceName = name.front() == '\\' ? name : "\\" + name;
    return CopyEntry{std::move(label), ManifestPath{Base::Setup, sourceName},
                     ManifestPath{base, std::move(name)}};
}

CopyEntry conditionalCopy(std::string label, Base base, std::string name) {
    CopyEntry entry = copyEntry(std::move(label), base, std::move(name));
    entry.conditional = true;
    return entry;
}

CopyEntry temporaryCopy(std::string label, std::string name) {
    CopyEntry entry = copyEntry(std::move(label), Base::Install, std::move(name));
    entry.temporary = true;
    return entry;
}

// The fallback always copies from the setup folder, so it does not depend on
// an earlier copy into the install folder having worked.
HandheldEntry handheld(std::string label, Base queuedFrom, const std::string& name) {
    return HandheldEntry{std::move(label), ManifestPath{queuedFrom, name},
                         ManifestPath{Base::Setup, name},
                         ManifestPath{Base::User, "\\Install" + name}};
}

Manifest build() {
    Manifest m;
    m.folders = {
        {"F1", {Base::Programs, "\\Quintara4Palm"}},
        {"F2", {Base::Install, ""}},
    };
    m.copies = {
        copyEntry("C1", Base::Install, "\\instaide.dll"),
        copyEntry("C2", Base::Install, "\\quinTool.dll"),
        copyEntry("C3", Base::Install, "\\Quintara.prc"),
        copyEntry("C4", Base::Install, "\\MathLib.prc"),
        copyEntry("C5", Base::Install, "\\Quintara.dll"),
        copyEntry("C6", Base::Install, "\\QuinFrm.dll"),
        temporaryCopy("C7", "\\condinst.dll"),
        temporaryCopy("C8", "\\condmgr.dll"),
        copyEntry("C9", Base::Install, "\\QuinConv.dll"),
        // excelDir carries its own trailing backslash.
        conditionalCopy("C10", Base::Excel, "QuinConv.dll"),
        conditionalCopy("C11", Base::Excel, "instaide.dll"),
        temporaryCopy("C12", "\\hsapi.dll"),
        copyEntry("C13", Base::Install, "\\uninst.exe"),
        copyEntry("C14", Base::Install, "\\Quin4P.xla"),
        copyEntry("C15", Base::Install, "\\Quintara.jpg"),
        copyEntry("C16", Base::Install, "\\Sleep.exe"),
        copyEntry("C17", Base::Install, "\\license.txt"),
        copyEntry("C18", Base::Install, "\\MathLib.txt"),
        conditionalCopy("C19", Base::Startup, "\\Quin4P.xla"),
        copyEntry("C20", Base::Install, "\\Documentation.pdf"),
    };
    // The two applications are queued from their copies in the install folder,
    // the databases straight from the setup folder.
    m.handheldFiles = {
        handheld("H1", Base::Install, "\\Quintara.prc"),
        handheld("H2", Base::Install, "\\MathLib.prc"),
        handheld("H3", Base::Setup, "\\CarLoan.pdb"),
        handheld("H4", Base::Setup, "\\Conversion.pdb"),
        handheld("H5", Base::Setup, "\\Planets.pdb"),
    };
    m.shortcuts = {
        {"S1",
         {Base::Programs, std::string("\\Quintara4Palm\\") + kProductDomain},
         {Base::None, kProductSite},
         0},
        {"S2",
         {Base::Programs, "\\Quintara4Palm\\Documentation"},
         {Base::Install, "\\Documentation.pdf"},
         0},
        // The target is a folder, hence the trailing backslash and the flag.
        {"S3", {Base::Programs, "\\Quintara4Palm\\Sheets"}, {Base::User, "\\Quintara4Palm\\"}, -1},
        {"S4", {Base::Programs, "\\Quintara4Palm\\uninstall"}, {Base::Install, "\\uninst.exe"}, 0},
    };
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

std::string ManifestPath::formed(const Folders& folders) const {
    return folders.of(base) + literal;
}

std::optional<std::string> ManifestPath::resolve(const Folders& folders) const {
    if (base != Base::None && !isUsableFolder(folders.of(base))) {
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
