#pragma once

#include "EditorDialog.h"
#include "editors/AddressEditorModel.h"

#include <QHash>

class QCheckBox;
class QFormLayout;
class QPlainTextEdit;
class QToolButton;

namespace Quillary::Ui {

class LabelPopup;

/// One postal address: its label, its country (the default one or any of the address format
/// table), the postal code, state, city and street in the order of the country's format, a state
/// menu for countries that list their states, and the address as it will be written. Japanese
/// addresses look their postal code up; a code with several addresses offers them to choose.
class AddressEditor final : public EditorDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AddressEditor)

public:
    AddressEditor(const EditorContext& context, const EditorOptions& options, QWidget* parent);
    ~AddressEditor() override;

    [[nodiscard]] const AddressEditorModel& model() const { return m_model; }
    /// The Lookup button: fills the address from its postal code.
    void lookup();

protected:
    [[nodiscard]] EditorValue editedValue() const override;
    void editStateChanged(bool on) override;
    [[nodiscard]] QString doneTitle(bool editEnabled) const override;

private:
    void buildCountryMenu();
    void layOutParts();
    void refresh();
    void refreshStateMenu();
    void partEdited(const QString& key, const QString& text);
    void found(const ZipAddress& address);

    AddressEditorModel m_model;
    bool m_refreshing = false;
    LabelPopup* m_label;
    QToolButton* m_countryPopup;
    QLineEdit* m_country;
    QLineEdit* m_zip;
    QPushButton* m_lookup;
    QLineEdit* m_state;
    QToolButton* m_statePopup;
    QCheckBox* m_showCode;
    QLineEdit* m_city;
    QPlainTextEdit* m_street;
    QLabel* m_preview;
    QFormLayout* m_parts;
    QHash<QString, QWidget*> m_partRows; ///< by part: the row's fields
};

} // namespace Quillary::Ui
