#include "PrintAccessory.h"

#include "LabelPresetEditor.h"
#include "model/FieldIdentifiers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace Quillary::Ui {

namespace {

QString translated(const QString& key)
{
    return QCoreApplication::translate("Quillary::Core", key.toUtf8().constData());
}

QString fontTitle(const PrintTabFields& fields)
{
    return QStringLiteral("%1 %2").arg(fields.fontName).arg(fields.fontSize);
}

} // namespace

PrintAccessory::PrintAccessory(PrintOptionsStore store, QWidget* parent)
    : QWidget(parent), m_model(std::move(store)), m_unitPopup(new QComboBox(this)), m_tabs(new QTabWidget(this))
{
    setObjectName(QStringLiteral("printAccessory"));
    setWindowTitle(tr("Contacts"));
    m_unitPopup->setObjectName(QStringLiteral("unitPopup"));
    m_unitPopup->setAccessibleName(tr("Unit"));
    for (const LengthUnit unit : {LengthUnit::Points, LengthUnit::Inches, LengthUnit::Millimetres})
        m_unitPopup->addItem(translated(LengthUnits::name(unit)), int(unit));
    connect(m_unitPopup, &QComboBox::activated, this, &PrintAccessory::unitChosen);
    m_tabs->setObjectName(QStringLiteral("styleTabs"));
    m_tabs->setAccessibleName(tr("Print Style"));
    m_tabs->addTab(buildAddressList(), PrintStyles::localizedName(PrintStyle::AddressList));
    m_tabs->addTab(buildMailingLabels(), PrintStyles::localizedName(PrintStyle::MailingLabels));
    m_tabs->addTab(buildEnvelope(), PrintStyles::localizedName(PrintStyle::Envelope));
    m_tabs->addTab(buildHagaki(), PrintStyles::localizedName(PrintStyle::Hagaki));
    auto* unitRow = new QFormLayout;
    unitRow->addRow(tr("Unit:"), m_unitPopup);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(unitRow);
    layout->addWidget(m_tabs, 1);
    reload();
    m_tabs->setCurrentIndex(int(m_model.printStyle()));
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) {
        m_model.setPrintStyle(PrintStyles::all().value(index, PrintStyle::AddressList));
        Q_EMIT optionsChanged();
    });
}

PrintAccessory::~PrintAccessory() = default;

void PrintAccessory::setColumns(const QStringList& columns)
{
    m_model.setColumns(columns);
    fillItemList();
}

void PrintAccessory::setPrintStyle(PrintStyle style)
{
    m_tabs->setCurrentIndex(int(style));
}

// Building --------------------------------------------------------------------------------------

QDoubleSpinBox* PrintAccessory::lengthField(const QString& name, QWidget* parent)
{
    auto* field = new QDoubleSpinBox(parent);
    field->setAccessibleName(name);
    field->setRange(0, 5000);
    field->setDecimals(2);
    return field;
}

QWidget* PrintAccessory::newPage(PrintStyle style, QFormLayout*& form)
{
    auto* page = new QWidget(m_tabs);
    page->setObjectName(PrintStyles::name(style));
    form = new QFormLayout(page);
    StyleControls& controls = m_styles[size_t(style)];
    controls.font = new QPushButton(page);
    controls.font->setObjectName(QStringLiteral("fontButton"));
    controls.font->setAccessibleName(tr("Font"));
    connect(controls.font, &QPushButton::clicked, this, [this, style] { chooseFont(style); });
    form->addRow(tr("Font:"), controls.font);
    const QStringList names{tr("Top margin:"), tr("Left margin:"), tr("Right margin:"), tr("Bottom margin:")};
    const int count = style == PrintStyle::Hagaki ? 2 : 4;
    for (int i = 0; i < count; ++i) {
        controls.margins[i] = lengthField(names.at(i), page);
        controls.margins[i]->setObjectName(QStringLiteral("margin%1").arg(i));
        connect(controls.margins[i], &QDoubleSpinBox::valueChanged, this, [this, style] { takeTabFields(style); });
        form->addRow(names.at(i), controls.margins[i]);
    }
    return page;
}

QCheckBox* PrintAccessory::addSwitch(QFormLayout* form, const QString& title, std::function<bool&(PrintOptions&)> value)
{
    auto* box = new QCheckBox(title, form->parentWidget());
    box->setAccessibleName(title);
    form->addRow(box);
    connect(box, &QCheckBox::toggled, this, [this, value](bool on) {
        value(m_model.options()) = on;
        changed();
    });
    m_reloaders.append([this, box, value] { box->setChecked(value(m_model.options())); });
    return box;
}

QWidget* PrintAccessory::buildAddressList()
{
    QFormLayout* form = nullptr;
    QWidget* page = newPage(PrintStyle::AddressList, form);
    addSwitch(form, tr("Print frame"), [](PrintOptions& o) -> bool& { return o.addressList.printFrame; });
    addSwitch(form, tr("Alternating rows"), [](PrintOptions& o) -> bool& { return o.addressList.alternatingRow; });
    m_items = new QListWidget(page);
    m_items->setObjectName(QStringLiteral("itemTable"));
    m_items->setAccessibleName(tr("Printed fields"));
    m_items->setDragDropMode(QAbstractItemView::InternalMove);
    m_items->setDefaultDropAction(Qt::MoveAction);
    connect(m_items, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (!m_loading && m_model.setItemState(m_items->row(item), item->checkState() == Qt::Checked))
            Q_EMIT optionsChanged();
    });
    connect(m_items->model(), &QAbstractItemModel::rowsMoved, this,
            [this](const QModelIndex&, int start, int, const QModelIndex&, int row) { itemMoved(start, row); });
    form->addRow(m_items);
    auto* labels = new QPushButton(tr("Label"), page);
    labels->setObjectName(QStringLiteral("labelMenuButton"));
    labels->setAccessibleName(tr("Labels printed"));
    auto* menu = new QMenu(labels);
    connect(menu, &QMenu::aboutToShow, this, [this, menu] {
        menu->clear();
        for (const PrintLabelMenuEntry& entry : m_model.labelMenu().entries()) {
            QAction* action = menu->addAction(translated(entry.title));
            action->setEnabled(!entry.isHeader);
            action->setCheckable(!entry.isHeader);
            action->setChecked(entry.checked);
            const QString title = entry.title;
            connect(action, &QAction::triggered, this, [this, title] {
                if (m_model.chooseLabel(title))
                    Q_EMIT optionsChanged();
            });
        }
    });
    labels->setMenu(menu);
    form->addRow(tr("Labels:"), labels);
    return page;
}

QWidget* PrintAccessory::buildMailingLabels()
{
    QFormLayout* form = nullptr;
    QWidget* page = newPage(PrintStyle::MailingLabels, form);
    const QStringList names{tr("Label width:"), tr("Label height:"), tr("Horizontal gap:"), tr("Vertical gap:")};
    for (int i = 0; i < 4; ++i) {
        m_labelSize[i] = lengthField(names.at(i), page);
        m_labelSize[i]->setObjectName(QStringLiteral("labelSize%1").arg(i));
        connect(m_labelSize[i], &QDoubleSpinBox::valueChanged, this, &PrintAccessory::takeLabelSize);
        form->addRow(names.at(i), m_labelSize[i]);
    }
    m_presets = new QComboBox(page);
    m_presets->setObjectName(QStringLiteral("presetPopup"));
    m_presets->setAccessibleName(tr("Label presets"));
    connect(m_presets, &QComboBox::activated, this, &PrintAccessory::presetChosen);
    form->addRow(tr("Presets:"), m_presets);
    auto* address = new QComboBox(page);
    address->setAccessibleName(tr("Address printed"));
    address->addItem(tr("Home address"), QStringLiteral("Home address"));
    address->addItem(tr("Work address"), QStringLiteral("Work address"));
    connect(address, &QComboBox::activated, this, [this, address](int index) {
        m_model.options().mailingLabels.printFormat = address->itemData(index).toString();
        changed();
    });
    m_reloaders.append([this, address] {
        address->setCurrentIndex(std::max(0, address->findData(m_model.options().mailingLabels.printFormat)));
    });
    form->addRow(tr("Address:"), address);
    auto* repeat = new QSpinBox(page);
    repeat->setObjectName(QStringLiteral("repeatCount"));
    repeat->setAccessibleName(tr("Copies of each label"));
    repeat->setRange(1, 999);
    connect(repeat, &QSpinBox::valueChanged, this, [this](int count) {
        m_model.options().mailingLabels.repeatCount = count;
        changed();
    });
    m_reloaders.append([this, repeat] { repeat->setValue(m_model.options().mailingLabels.repeatCount); });
    form->addRow(tr("Copies of each:"), repeat);
    addSwitch(form, tr("Print frame"), [](PrintOptions& o) -> bool& { return o.mailingLabels.printFrame; });
    addSwitch(form, tr("Print phone"), [](PrintOptions& o) -> bool& { return o.mailingLabels.printPhone; });
    addSwitch(form, tr("Print country"), [](PrintOptions& o) -> bool& { return o.mailingLabels.printCountry; });
    addSwitch(form, tr("Print company"), [](PrintOptions& o) -> bool& { return o.mailingLabels.printCompany; });
    addSwitch(form, tr("Print department"), [](PrintOptions& o) -> bool& { return o.mailingLabels.printDepartment; });
    return page;
}

QWidget* PrintAccessory::buildEnvelope()
{
    QFormLayout* form = nullptr;
    QWidget* page = newPage(PrintStyle::Envelope, form);
    addSwitch(form, tr("Print sender"), [](PrintOptions& o) -> bool& { return o.envelope.printSender; });
    auto* label = new QComboBox(page);
    label->setObjectName(QStringLiteral("senderLabelPopup"));
    label->setAccessibleName(tr("Sender's address"));
    const QStringList titles{QStringLiteral("Home"), QStringLiteral("Work"), QStringLiteral("Other")};
    for (qsizetype i = 0; i < titles.size(); ++i)
        label->addItem(translated(titles.at(i)), titles.at(i));
    connect(label, &QComboBox::activated, this, [this, label](int index) {
        m_model.options().envelope.senderLabel = label->itemData(index).toString();
        m_model.options().envelope.senderLabelIndex = index;
        changed();
    });
    m_reloaders.append([this, label] {
        label->setCurrentIndex(std::max(0, label->findData(m_model.options().envelope.senderLabel)));
    });
    form->addRow(tr("Sender's address:"), label);
    addSwitch(form, tr("Print phone"), [](PrintOptions& o) -> bool& { return o.envelope.printPhone; });
    addSwitch(form, tr("Print country"), [](PrintOptions& o) -> bool& { return o.envelope.printCountry; });
    addSwitch(form, tr("Print company"), [](PrintOptions& o) -> bool& { return o.envelope.printCompany; });
    addSwitch(form, tr("Print department"), [](PrintOptions& o) -> bool& { return o.envelope.printDepartment; });
    return page;
}

QWidget* PrintAccessory::buildHagaki()
{
    QFormLayout* form = nullptr;
    QWidget* page = newPage(PrintStyle::Hagaki, form);
    auto* type = new QComboBox(page);
    type->setObjectName(QStringLiteral("hagakiTypePopup"));
    type->setAccessibleName(tr("Postcard type"));
    connect(type, &QComboBox::activated, this, [this, type](int index) {
        m_model.options().hagaki.hagakiType = type->itemText(index);
        changed();
    });
    m_reloaders.append([this, type] {
        const HagakiOptions& hagaki = m_model.options().hagaki;
        type->clear();
        type->addItems(hagaki.hagakiTypeArray);
        type->setCurrentIndex(type->findText(hagaki.hagakiType));
    });
    form->addRow(tr("Postcard:"), type);
    auto* keishou = new QComboBox(page);
    keishou->setObjectName(QStringLiteral("keishouPopup"));
    keishou->setAccessibleName(tr("Honorific"));
    keishou->setEditable(true);
    keishou->addItems({QStringLiteral("様"), QStringLiteral("殿"), QStringLiteral("御中"), QStringLiteral("先生")});
    connect(keishou, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        if (m_loading)
            return;
        m_model.options().hagaki.keishou = text;
        changed();
    });
    m_reloaders.append([this, keishou] { keishou->setCurrentText(m_model.options().hagaki.keishou); });
    form->addRow(tr("Honorific:"), keishou);
    addSwitch(form, tr("Print company"), [](PrintOptions& o) -> bool& { return o.hagaki.printCompany; });
    addSwitch(form, tr("Print sender"), [](PrintOptions& o) -> bool& { return o.hagaki.printSender; });
    addSwitch(form, tr("Print spouse"), [](PrintOptions& o) -> bool& { return o.hagaki.printSpouse; });
    addSwitch(form, tr("Print children"), [](PrintOptions& o) -> bool& { return o.hagaki.printChildren; });
    addSwitch(form, tr("Show the card's boxes"), [](PrintOptions& o) -> bool& { return o.hagaki.showBackground; });
    return page;
}

// Address list ----------------------------------------------------------------------------------

void PrintAccessory::fillItemList()
{
    const QSignalBlocker blocker(m_items->model());
    m_loading = true;
    m_items->clear();
    for (const PrintItem& item : m_model.itemTable()) {
        auto* row = new QListWidgetItem(translated(item.title), m_items);
        Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsUserCheckable | Qt::ItemNeverHasChildren;
        // "Name" is always printed and always first: it can neither be switched nor moved.
        if (item.enabled)
            flags |= Qt::ItemIsEnabled | Qt::ItemIsDragEnabled;
        row->setFlags(flags);
        row->setCheckState(item.state ? Qt::Checked : Qt::Unchecked);
    }
    m_loading = false;
}

void PrintAccessory::itemMoved(int from, int dropRow)
{
    if (m_model.moveItem(from, dropRow))
        Q_EMIT optionsChanged();
    // The list shows the model's order, also when the move was refused (above "Name").
    QTimer::singleShot(0, this, &PrintAccessory::fillItemList);
}

// Fonts and lengths -----------------------------------------------------------------------------

void PrintAccessory::chooseFont(PrintStyle style)
{
    PrintTabFields fields = m_model.tabFields(style);
    QFont current(fields.fontName);
    current.setPointSize(std::max(1, fields.fontSize));
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, current, this, tr("Font"));
    if (!ok)
        return;
    fields.fontName = font.family();
    fields.fontSize = std::max(1, font.pointSize());
    m_model.setTabFields(style, fields);
    m_styles[size_t(style)].font->setText(fontTitle(fields));
    Q_EMIT optionsChanged();
}

void PrintAccessory::takeTabFields(PrintStyle style)
{
    if (m_loading)
        return;
    PrintTabFields fields = m_model.tabFields(style);
    const StyleControls& controls = m_styles[size_t(style)];
    double* margins[] = {&fields.margins.top, &fields.margins.left, &fields.margins.right, &fields.margins.bottom};
    for (size_t i = 0; i < 4; ++i) {
        if (controls.margins[i])
            *margins[i] = controls.margins[i]->value();
    }
    m_model.setTabFields(style, fields);
    Q_EMIT optionsChanged();
}

void PrintAccessory::takeLabelSize()
{
    if (m_loading)
        return;
    m_model.setLabelSizeFields(
        {m_labelSize[0]->value(), m_labelSize[1]->value(), m_labelSize[2]->value(), m_labelSize[3]->value()});
    Q_EMIT optionsChanged();
}

void PrintAccessory::presetChosen(int index)
{
    if (m_model.isPresetEditorEntry(index)) {
        const MailingLabelsOptions& labels = m_model.printOptions().mailingLabels;
        LabelPresetEditor editor(labels.presetArray,
                                 {QString(), labels.labelWidth, labels.labelHeight, labels.hGap, labels.vGap}, this);
        if (editor.exec() == QDialog::Accepted) {
            const auto chosen = m_model.setPresets(editor.presets(), editor.chosenName());
            reload();
            m_presets->setCurrentIndex(int(chosen.value_or(0)));
            Q_EMIT optionsChanged();
        }
        return;
    }
    if (m_model.choosePreset(index)) {
        reload();
        m_presets->setCurrentIndex(index);
        Q_EMIT optionsChanged();
    }
}

void PrintAccessory::rebuildPresets(int chosen)
{
    m_presets->clear();
    m_presets->addItems(m_model.presetMenuTitles());
    m_presets->setCurrentIndex(chosen);
}

void PrintAccessory::unitChosen(int index)
{
    m_model.setUnit(LengthUnit(m_unitPopup->itemData(index).toInt()));
    reload();
}

void PrintAccessory::reload()
{
    m_loading = true;
    m_unitPopup->setCurrentIndex(m_unitPopup->findData(int(m_model.unit())));
    for (const PrintStyle style : PrintStyles::all()) {
        const PrintTabFields fields = m_model.tabFields(style);
        const StyleControls& controls = m_styles[size_t(style)];
        controls.font->setText(fontTitle(fields));
        const double margins[] = {fields.margins.top, fields.margins.left, fields.margins.right, fields.margins.bottom};
        for (size_t i = 0; i < 4; ++i) {
            if (controls.margins[i]) {
                controls.margins[i]->setSingleStep(m_model.stepSize());
                controls.margins[i]->setValue(margins[i]);
            }
        }
    }
    const LabelSizeFields size = m_model.labelSizeFields();
    const double sizes[] = {size.labelWidth, size.labelHeight, size.hGap, size.vGap};
    for (size_t i = 0; i < 4; ++i) {
        m_labelSize[i]->setSingleStep(m_model.stepSize());
        m_labelSize[i]->setValue(sizes[i]);
    }
    rebuildPresets(m_presets->currentIndex() < 0 ? 0 : m_presets->currentIndex());
    for (const auto& reloadSwitch : std::as_const(m_reloaders))
        reloadSwitch();
    m_loading = false;
    fillItemList();
}

void PrintAccessory::changed()
{
    if (m_loading)
        return;
    m_model.commit();
    Q_EMIT optionsChanged();
}

} // namespace Quillary::Ui
