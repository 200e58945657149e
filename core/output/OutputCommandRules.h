#pragma once

namespace Quillary {

/// When the print and QR code commands of a window are enabled.
namespace OutputCommandRules {

struct State
{
    int selectedRows = 0;
    bool clickedDataRow = false; ///< the command comes from a data row's context menu
    bool panelsFree = true; ///< no QR code sheet or merge panel is showing
    bool keyWindow = true;
};

/// Printing needs the window in front, free of sheets, and a selected row.
[[nodiscard]] inline bool canPrint(const State& state)
{
    return state.keyWindow && state.panelsFree && state.selectedRows > 0;
}

/// The QR code sheet needs a row, clicked or selected, and no other sheet.
[[nodiscard]] inline bool canShowQRCode(const State& state)
{
    return state.panelsFree && (state.clickedDataRow || state.selectedRows > 0);
}

} // namespace OutputCommandRules

} // namespace Quillary
