#include "plot/ColorDialogModel.h"

#include <algorithm>

#include "document/ProgramTexts.h"

ColorDialogModel::ColorDialogModel(const PlotColors& colors)
    : m_rows(colors.UserList()), m_userDefined(colors.userDefined != 0) {}

std::vector<std::string> ColorDialogModel::RowLabels() const {
    std::vector<std::string> labels;
    for (size_t i = 0; i < m_rows.size(); ++i) labels.push_back("Line " + std::to_string(i + 1));
    return labels;
}

void ColorDialogModel::ChangeCoordinatesColor(PlotColors& document, Rgb color) {
    document.coordinates = color;
    document.coordinatesChanged = 1;
}

void ColorDialogModel::ChangeGridColor(PlotColors& document, Rgb color) {
    document.grid = color;
    document.coordinatesChanged = 1;
}

void ColorDialogModel::DefaultFrameColors(PlotColors& document) {
    document.coordinates = {0, 0, 0};
    document.grid = {200, 200, 200};
    document.coordinatesChanged = 0;
}

void ColorDialogModel::InsertColor(Rgb color) {
    m_rows.push_back(color);
    m_userDefined = true;
    m_restoreDialogDefaults = false;
}

bool ColorDialogModel::CanChangeColor(const std::vector<int>& selectedRows, Notifier& notifier) const {
    if (selectedRows.empty()) {
        notifier.Notify("Please chose one color!", kCaptionApplication);
        return false;
    }
    if (selectedRows.size() > 1) {
        notifier.Notify("You can only chose one color!", kCaptionApplication);
        return false;
    }
    return true;
}

void ColorDialogModel::ChangeColor(int row, Rgb color) {
    if (row < 0 || row >= static_cast<int>(m_rows.size())) return;
    m_rows[row] = color;
    m_userDefined = true;
    m_restoreDialogDefaults = false;
}

void ColorDialogModel::DeleteColors(std::vector<int> selectedRows) {
    std::sort(selectedRows.begin(), selectedRows.end());
    selectedRows.erase(std::unique(selectedRows.begin(), selectedRows.end()), selectedRows.end());
    for (auto it = selectedRows.rbegin(); it != selectedRows.rend(); ++it)
        if (*it >= 0 && *it < static_cast<int>(m_rows.size())) m_rows.erase(m_rows.begin() + *it);
    // With every row gone there is no user list to draw with.
    if (m_rows.empty()) m_userDefined = false;
}

void ColorDialogModel::DefaultLineColors() {
    m_rows.clear();
    m_userDefined = false;
    m_restoreDialogDefaults = true;
}

bool ColorDialogModel::Accept(PlotColors& document, const std::string& colorFile) const {
    if (m_userDefined && !m_rows.empty()) {
        document.SetUserList(m_rows);
    } else {
        document.SetUserList({});
        if (m_restoreDialogDefaults) document.lineColors = PlotColors::DialogDefaultLineTable();
    }
    return WriteColorSettings(colorFile, document);
}
