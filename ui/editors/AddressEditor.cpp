#include "AddressEditor.h"

#include "LabelPopup.h"
#include "ZipChoiceDialog.h"
#include "support/AlertSound.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

namespace Quillary::Ui {

namespace {

QWidget* row(QWidget* parent, std::initializer_list<QWidget*> widgets)
{
    auto* container = new QWidget(parent);
    auto* layout = new QHBoxLayout(container);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* widget : widgets)
        layout->addWidget(widget, widget == *widgets.begin() ? 1 : 0);
    return container;
}

template <typename Field> Field* named(Field* field, const QString& objectName, const QString& accessibleName)
{
    field->setObjectName(objectName);
    field->setAccessibleName(accessibleName);
    return field;
}

} // namespace

AddressEditor::AddressEditor(const EditorContext& context, const EditorOptions& options, QWidget* parent)
    : EditorDialog(context, options, QStringLiteral("addressEditor"), parent),
      m_model(context, context.contact->person->defaultCountryCode()),
      m_label(LabelPopup::forField(Field::Address, m_model.value().label, options.contacts, this)),
      m_countryPopup(named(new QToolButton(this), QStringLiteral("countryPopup"), tr("Country"))),
      m_country(named(new QLineEdit(this), QStringLiteral("countryField"), tr("Country Name"))),
      m_zip(named(new QLineEdit(this), QStringLiteral("zipField"), tr("ZIP"))),
      m_lookup(named(new QPushButton(tr("Lookup"), this), QStringLiteral("lookupButton"), tr("Lookup"))),
      m_state(named(new QLineEdit(this), QStringLiteral("stateField"), tr("State"))),
      m_statePopup(named(new QToolButton(this), QStringLiteral("statePopup"), tr("States"))),
      m_showCode(named(new QCheckBox(tr("Show Code"), this), QStringLiteral("showCodeCheck"), tr("Show Code"))),
      m_city(named(new QLineEdit(this), QStringLiteral("cityField"), tr("City"))),
      m_street(named(new QPlainTextEdit(this), QStringLiteral("streetField"), tr("Street"))),
      m_preview(named(new QLabel(this), QStringLiteral("postalAddressField"), tr("Address"))), m_parts(new QFormLayout)
{
    connect(m_label, &LabelPopup::choiceChanged, this, [this](const QString& label) { m_model.setLabel(label); });
    m_countryPopup->setPopupMode(QToolButton::InstantPopup);
    buildCountryMenu();
    m_zip->setPlaceholderText(tr("Postal code"));
    m_lookup->setAutoDefault(false);
    connect(m_lookup, &QPushButton::clicked, this, &AddressEditor::lookup);
    m_statePopup->setText(tr("States"));
    m_statePopup->setPopupMode(QToolButton::InstantPopup);
    m_statePopup->setMenu(new QMenu(m_statePopup));
    connect(m_showCode, &QCheckBox::toggled, this, [this](bool on) {
        m_model.setShowCode(on);
        refreshStateMenu();
    });
    m_street->setTabChangesFocus(true);
    m_street->setFixedHeight(m_street->fontMetrics().lineSpacing() * 3 + 8);
    m_preview->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_preview->setFrameShape(QFrame::StyledPanel);
    m_preview->setMinimumHeight(m_preview->fontMetrics().lineSpacing() * 3);

    connect(m_country, &QLineEdit::textEdited, this, [this](const QString& text) { partEdited(Field::Country, text); });
    connect(m_zip, &QLineEdit::textEdited, this, [this](const QString& text) { partEdited(Field::ZIP, text); });
    connect(m_state, &QLineEdit::textEdited, this, [this](const QString& text) { partEdited(Field::State, text); });
    connect(m_city, &QLineEdit::textEdited, this, [this](const QString& text) { partEdited(Field::City, text); });
    connect(m_street, &QPlainTextEdit::textChanged, this,
            [this] { partEdited(Field::Street, m_street->toPlainText()); });

    auto* top = new QFormLayout;
    top->addRow(tr("Label"), m_label);
    top->addRow(tr("Country"), row(this, {m_country, m_countryPopup}));
    m_partRows = {{Field::ZIP, row(this, {m_zip, m_lookup})},
                  {Field::State, row(this, {m_state, m_statePopup, m_showCode})},
                  {Field::City, m_city},
                  {Field::Street, m_street}};
    auto* body = new QVBoxLayout;
    body->addLayout(top);
    body->addLayout(m_parts);
    body->addWidget(m_preview);
    layOutParts();
    refresh();
    setBody(body);
    m_zip->setFocus();
    // The postal-code lists take a moment to read: have them ready when Lookup is pressed.
    if (m_model.lookupVisible())
        (void)QtConcurrent::run([] { (void)ZipDatabase::zipdb(); });
}

AddressEditor::~AddressEditor() = default;

void AddressEditor::buildCountryMenu()
{
    auto* menu = new QMenu(m_countryPopup);
    menu->setObjectName(QStringLiteral("countryMenu"));
    QAction* byDefault = menu->addAction(m_model.defaultCountryTitle());
    byDefault->setObjectName(QStringLiteral("Default"));
    connect(byDefault, &QAction::triggered, this, [this] {
        m_model.chooseCountry(QString());
        layOutParts();
        refresh();
    });
    menu->addSeparator();
    for (const CountryMenuSection& section : AddressEditorModel::countryMenu()) {
        QMenu* letter = menu->addMenu(QString(section.letter));
        for (const CountryMenuEntry& entry : section.entries) {
            QAction* action = letter->addAction(entry.title);
            action->setObjectName(entry.code);
            const QString code = entry.code;
            connect(action, &QAction::triggered, this, [this, code] {
                m_model.chooseCountry(code);
                layOutParts();
                refresh();
            });
        }
    }
    m_countryPopup->setMenu(menu);
}

void AddressEditor::layOutParts()
{
    // The fields stay; only their rows are put in the order of the address's country.
    while (m_parts->rowCount() > 0) {
        const QFormLayout::TakeRowResult taken = m_parts->takeRow(0);
        if (taken.labelItem)
            delete taken.labelItem->widget();
        delete taken.labelItem;
        delete taken.fieldItem;
    }
    static const QHash<QString, const char*> titles{{Field::ZIP, QT_TR_NOOP("ZIP")},
                                                    {Field::State, QT_TR_NOOP("State")},
                                                    {Field::City, QT_TR_NOOP("City")},
                                                    {Field::Street, QT_TR_NOOP("Street")}};
    for (const QString& part : m_model.partOrder())
        m_parts->addRow(tr(titles.value(part)), m_partRows.value(part));
}

void AddressEditor::refresh()
{
    m_refreshing = true;
    const PostalAddress& address = m_model.value().address;
    m_country->setText(address.country());
    m_countryPopup->setText(m_model.countryMenuTitle());
    m_zip->setText(address.zip());
    m_state->setText(address.state());
    m_city->setText(address.city());
    if (m_street->toPlainText() != address.street())
        m_street->setPlainText(address.street());
    m_preview->setText(m_model.preview());
    m_lookup->setVisible(m_model.lookupVisible());
    m_lookup->setEnabled(m_model.lookupEnabled(m_zip->text(), editEnabled()));
    refreshStateMenu();
    m_refreshing = false;
}

void AddressEditor::refreshStateMenu()
{
    const StateMenu states = m_model.stateMenu();
    {
        const QSignalBlocker blocker(m_showCode);
        m_showCode->setChecked(states.showCodeChecked);
    }
    m_showCode->setEnabled(states.showCodeEnabled && editEnabled());
    QMenu* menu = m_statePopup->menu();
    menu->clear();
    menu->addSection(tr("States"));
    for (const QString& state : states.entries) {
        connect(menu->addAction(state), &QAction::triggered, this, [this, state] {
            m_model.setPart(Field::State, state);
            refresh();
        });
    }
    m_statePopup->setEnabled(states.enabled && editEnabled());
}

void AddressEditor::partEdited(const QString& key, const QString& text)
{
    if (m_refreshing)
        return;
    m_model.setPart(key, text);
    m_preview->setText(m_model.preview());
    if (key == Field::ZIP)
        m_lookup->setEnabled(m_model.lookupEnabled(text, editEnabled()));
}

void AddressEditor::lookup()
{
    const QString code = m_zip->text().trimmed();
    if (!editEnabled() || code.isEmpty())
        return;
    const QList<ZipAddress> addresses = ZipDatabase::zipdb().addressesFromZip(code);
    if (addresses.isEmpty()) {
        AlertSound::play();
        m_zip->setText(tr("Do not find"));
        m_zip->selectAll(); // typing replaces the message; the address keeps the code it had
        m_zip->setFocus();
        return;
    }
    if (addresses.size() == 1)
        found(addresses.first());
    else
        ZipChoiceDialog::choose(addresses, this, [this](const ZipAddress& address) { found(address); });
}

void AddressEditor::found(const ZipAddress& address)
{
    m_model.applyZipAddress(address);
    refresh();
    refreshButtons();
    m_street->setFocus();
}

EditorValue AddressEditor::editedValue() const
{
    return m_model.value();
}

void AddressEditor::editStateChanged(bool on)
{
    m_label->setEnabled(on);
    m_countryPopup->setEnabled(on);
    for (QLineEdit* field : {m_country, m_zip, m_state, m_city})
        field->setReadOnly(!on);
    m_street->setReadOnly(!on);
    m_lookup->setEnabled(m_model.lookupEnabled(m_zip->text(), on));
    refreshStateMenu();
}

QString AddressEditor::doneTitle(bool editEnabled) const
{
    return m_model.doneTitle(editEnabled);
}

} // namespace Quillary::Ui
