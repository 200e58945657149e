#include "ReplaceAlertPanel.h"

#include "table/ReplaceAlertPanelModel.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace Quillary::Ui {

namespace {

/// A prepared answer: OK with a text and maybe a label, or Cancel (no text).
struct Answer
{
    std::optional<QString> text;
    std::optional<QString> label;
};

std::optional<Answer>& nextAnswer()
{
    static std::optional<Answer> answer;
    return answer;
}

} // namespace

ReplaceAlertPanel::ReplaceAlertPanel(ReplaceAlertPanelModel& model, QWidget* parent)
    : QDialog(parent), m_model(model), m_replaceAlertMessage(new QLabel(model.message(), this)),
      m_columnPopup(new QComboBox(this)), m_labelPopup(new QComboBox(this)), m_replaceTextField(new QLineEdit(this)),
      m_okButton(nullptr)
{
    setObjectName(QStringLiteral("replaceAlertPanel"));
    setWindowTitle(model.typeTitle());
    setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    m_replaceAlertMessage->setObjectName(QStringLiteral("replaceAlertMessage"));
    m_replaceAlertMessage->setWordWrap(true);
    m_columnPopup->setObjectName(QStringLiteral("columnPopup"));
    m_columnPopup->addItem(model.columnPopupItem());
    m_labelPopup->setObjectName(QStringLiteral("labelPopup"));
    m_labelPopup->addItems(model.labels());
    m_labelPopup->setCurrentIndex(model.selectedLabelIndex());
    m_labelPopup->setEnabled(model.labelPopupEnabled() && !model.labels().isEmpty());
    m_replaceTextField->setObjectName(QStringLiteral("replaceTextField"));
    m_replaceTextField->setText(model.replaceString());
    m_replaceTextField->setMinimumWidth(280);

    auto* buttons = new QDialogButtonBox(this);
    m_okButton = buttons->addButton(model.okTitle(), QDialogButtonBox::AcceptRole);
    m_okButton->setObjectName(QStringLiteral("okButton"));
    m_okButton->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancelButton"));
    auto* form = new QFormLayout;
    form->addRow(ReplaceAlertPanelModel::columnTitle(), m_columnPopup);
    form->addRow(tr("Label"), m_labelPopup);
    form->addRow(tr("Text"), m_replaceTextField);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_replaceAlertMessage);
    layout->addLayout(form);
    layout->addWidget(buttons);

    // Typing and choosing go to the model at once.
    connect(m_replaceTextField, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_model.setReplaceString(text); });
    connect(m_labelPopup, &QComboBox::currentTextChanged, this,
            [this](const QString& label) { m_model.setLabel(label); });
    connect(buttons, &QDialogButtonBox::accepted, this, &ReplaceAlertPanel::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ReplaceAlertPanel::reject);
    m_replaceTextField->setFocus();
}

ReplaceAlertPanel::~ReplaceAlertPanel() = default;

void ReplaceAlertPanel::accept()
{
    m_model.accept(m_replaceTextField->text(), m_labelPopup->currentText());
    QDialog::accept();
}

void ReplaceAlertPanel::reject()
{
    m_model.cancel();
    QDialog::reject();
}

bool ReplaceAlertPanel::run(ReplaceAlertPanelModel& model, QWidget* parent)
{
    if (const std::optional<Answer> answer = std::exchange(nextAnswer(), std::nullopt)) {
        if (!answer->text) {
            model.cancel();
            return false;
        }
        model.accept(*answer->text, answer->label.value_or(model.label()));
        return true;
    }
    ReplaceAlertPanel panel(model, parent);
    return panel.exec() == QDialog::Accepted;
}

void ReplaceAlertPanel::setNextAnswer(const QString& text, const std::optional<QString>& label)
{
    nextAnswer() = Answer{text, label};
}

void ReplaceAlertPanel::cancelNext()
{
    nextAnswer() = Answer{};
}

void ReplaceAlertPanel::clearNextAnswer()
{
    nextAnswer().reset();
}

} // namespace Quillary::Ui
