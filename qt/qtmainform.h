#pragma once

#include "layout.h"
#include "mainform.h"

#include <QWidget>

#include <array>

class AddressBox;
class CellLabel;
class QLabel;
class QLineEdit;
class QRadioButton;

// The main window on Qt Widgets: native widgets laid out from the shared
// table, with MainForm's handlers behind their events.
class QtMainForm final : public QWidget, public MainForm {
    Q_OBJECT
public:
    explicit QtMainForm(QWidget* parent = nullptr);

    CellLabel* cell(std::int16_t bit) const { return m_cells.at(bit); }
    QLabel* bitCaption(std::int16_t bit) const { return m_captions.at(bit); }
    QRadioButton* optionMode(std::int16_t index) const { return m_modes.at(index); }
    QLineEdit* textHexMin() const;
    QLineEdit* textHexMax() const;

    ShortText cellCaption(std::int16_t index) const override;
    void setCellCaption(std::int16_t index, std::string_view text) override;
    void setCellForeColor(std::int16_t index, Rgb color) override;
    void setBitNumberCaption(std::int16_t index, std::string_view text) override;
    void setOutputText(OutputBox box, std::string_view text) override;

protected:
    bool focusNextPrevChild(bool next) override;
    void changeEvent(QEvent* event) override;

private:
    QWidget* build(const Layout::WidgetSpec& row, QWidget* parent);

    std::array<CellLabel*, kAddressBitCount> m_cells{};
    std::array<QLabel*, kAddressBitCount> m_captions{};
    std::array<QRadioButton*, 2> m_modes{};
    std::array<AddressBox*, 2> m_boxes{}; // indexed by OutputBox
    std::array<QWidget*, Layout::kTabOrder.size()> m_tabStops{};
    QStyle* m_frameStyle = nullptr;
};
