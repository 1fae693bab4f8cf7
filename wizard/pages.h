#pragma once

#include "forms/page_table.h"

#include <cstddef>
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

using forms::PageLine;
using forms::PageSpec;
using forms::TextRun;

// The wizard's window: its size, its buttons, the keyboard order and the ten
// pages in the order of FrameId.
const forms::WindowSpec& setupWindow();
const PageSpec& page(FrameId id);

inline std::size_t indexOf(FrameId id) {
    return static_cast<std::size_t>(id);
}

// The address on the PDF reader page (a reserved example name).
inline constexpr const char* kPdfReaderSite = "http://www.pdf-reader.example/";

// What the completion page says after a run in which some steps failed; the
// list of what could not be placed stands below it.
std::vector<PageLine> incompletePageLines();

} // namespace wizard
