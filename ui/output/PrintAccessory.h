#pragma once

#include "output/PrintAccessoryModel.h"

#include <QWidget>
#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFormLayout;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace Quillary::Ui {

/// The print options beside the print dialog and the preview: a tab per style (the chosen tab is
/// the style printed) with its font, margins in the chosen unit and switches; the address list's
/// item table (drag to reorder, "Name" first) and label menu; the mailing labels' size, gaps and
/// presets; the envelope's sender; the postcard's type and honorific. Every change is stored at once.
class PrintAccessory final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PrintAccessory)

public:
    explicit PrintAccessory(PrintOptionsStore store, QWidget* parent = nullptr);
    ~PrintAccessory() override;

    [[nodiscard]] PrintAccessoryModel& model() { return m_model; }
    [[nodiscard]] const PrintOptions& printOptions() const { return m_model.printOptions(); }
    /// Marks the items of the table's visible columns as printed.
    void setColumns(const QStringList& columns);
    [[nodiscard]] PrintStyle printStyle() const { return m_model.printStyle(); }
    /// Chooses the style's tab.
    void setPrintStyle(PrintStyle style);
    [[nodiscard]] QTabWidget* tabs() const { return m_tabs; }

Q_SIGNALS:
    /// An option changed (and was stored): the preview redraws.
    void optionsChanged();

private:
    struct StyleControls
    {
        QPushButton* font = nullptr;
        std::array<QDoubleSpinBox*, 4> margins{}; ///< top, left, right, bottom; the postcard has two
    };

    QWidget* newPage(PrintStyle style, QFormLayout*& form);
    QDoubleSpinBox* lengthField(const QString& name, QWidget* parent);
    QCheckBox* addSwitch(QFormLayout* form, const QString& title, std::function<bool&(PrintOptions&)> value);
    QWidget* buildAddressList();
    QWidget* buildMailingLabels();
    QWidget* buildEnvelope();
    QWidget* buildHagaki();
    void fillItemList();
    void itemMoved(int from, int dropRow);
    void chooseFont(PrintStyle style);
    void takeTabFields(PrintStyle style);
    void takeLabelSize();
    void presetChosen(int index);
    void rebuildPresets(int chosen);
    void unitChosen(int index);
    void reload();
    void changed();

    PrintAccessoryModel m_model;
    QComboBox* m_unitPopup = nullptr;
    QTabWidget* m_tabs = nullptr;
    std::array<StyleControls, 4> m_styles;
    QListWidget* m_items = nullptr;
    std::array<QDoubleSpinBox*, 4> m_labelSize{}; ///< width, height, horizontal gap, vertical gap
    QComboBox* m_presets = nullptr;
    QList<std::function<void()>> m_reloaders; ///< put the stored switches into their controls
    bool m_loading = false;
};

} // namespace Quillary::Ui
