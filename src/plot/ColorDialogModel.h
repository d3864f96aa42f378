#pragma once
#include <string>
#include <vector>

#include "app/Notifier.h"
#include "plot/PlotColors.h"

// The logic of the "Color Setting" dialog without its window: the list of user colours, the two
// frame colours and the buttons. Colour pickers stay with the window; their result comes in here.
class ColorDialogModel {
  public:
    explicit ColorDialogModel(const PlotColors& colors);

    const std::vector<Rgb>& Rows() const { return m_rows; }
    // "Line 1", "Line 2", … in row order.
    std::vector<std::string> RowLabels() const;
    bool UserDefined() const { return m_userDefined; }

    // Coordinates / Grid "Change Color" after the picker's OK: applied to the document at once.
    void ChangeCoordinatesColor(PlotColors& document, Rgb color);
    void ChangeGridColor(PlotColors& document, Rgb color);
    // Coordinates "Default Setting".
    void DefaultFrameColors(PlotColors& document);

    void InsertColor(Rgb color);
    // Checks the selection before the picker opens: false after telling the user why.
    bool CanChangeColor(const std::vector<int>& selectedRows, Notifier& notifier) const;
    void ChangeColor(int row, Rgb color);
    void DeleteColors(std::vector<int> selectedRows);
    // Pattern list "Default Setting": the dialog's default table, user colours off.
    void DefaultLineColors();

    // OK: rebuild the document's line table from the list and write the colour file.
    bool Accept(PlotColors& document, const std::string& colorFile) const;

  private:
    std::vector<Rgb> m_rows;
    bool m_userDefined = false;
    bool m_restoreDialogDefaults = false;
};
