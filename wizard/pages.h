#pragma once

#include <array>
#include <string>
#include <vector>

namespace wizard {

enum class FrameId {
    FrameWelcome,
    FrameNFDesktop,
    FrameNFExcel,
    FrameCloseExcel,
    FrameNFExcelVr,
    FrameNFAcrobat,
    FrameChooseDir,
    FrameChooseUser,
    FrameListFiles,
    FrameFinal,
};
inline constexpr std::size_t kPageCount = 10;

// The controls a page carries.
enum class PageControl { DirName, Drive, DirList, ListUsers, ListaFicheiros, IncompleteList };

// A run of text within a line; bold runs are drawn in the bold face.
struct TextRun {
    std::string text;
    bool bold = false;
};
inline bool operator==(const TextRun& a, const TextRun& b) {
    return a.text == b.text && a.bold == b.bold;
}
inline bool operator!=(const TextRun& a, const TextRun& b) {
    return !(a == b);
}
using PageLine = std::vector<TextRun>; // an empty line is a blank line

enum class SubHeader { Welcome, Plain }; // PicSubCabecalhoWelc, or PicSubCabecalho1..9

struct PageSpec {
    FrameId id;
    const char* frameName; // "FrameWelcome"
    const char* tag;       // the frame's caption, never drawn
    const char* subHeader; // "PicSubCabecalhoWelc", "PicSubCabecalho6", ...
    SubHeader subHeaderKind;
    const char* picture;         // "PicFrameWelcome", ...
    std::vector<PageLine> lines; // the page picture's text; the first line is the bold title
    std::vector<PageControl> controls;
};

// The ten pages in the order of FrameId.
const std::array<PageSpec, kPageCount>& Pages();
const PageSpec& Page(FrameId id);

// The address on the PDF reader page (a reserved example name).
inline constexpr const char* kPdfReaderSite = "http://www.pdf-reader.example/";

// What the completion page says after a run in which some steps failed; the
// list of what could not be placed stands below it.
std::vector<PageLine> IncompletePageLines();

} // namespace wizard
