#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace Quillary {
class TableTextFinder;
}

namespace Quillary::Ui {

/// The find bar above the contacts table: the find field with "Match Case", the steps to the
/// previous and next match, the "3 of 17" count and "Done", and in its replace form the replace
/// field with "Replace" and "Replace All". It shows what the core's TableTextFinder decides and
/// passes the user's typing and clicks to it; Escape hides it.
class FindBar final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FindBar)

public:
    explicit FindBar(TableTextFinder& finder, QWidget* parent = nullptr);
    ~FindBar() override;

    [[nodiscard]] QLineEdit* findField() const { return m_findField; }
    [[nodiscard]] QLineEdit* replaceField() const { return m_replaceField; }
    [[nodiscard]] QString countText() const;

    /// Replacing needs edit mode: the replace buttons follow it.
    void updateEditable();

protected:
    bool eventFilter(QObject* object, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void stateChanged();
    void searchEdited(const QString& text);
    void findNext();
    void findPrevious();
    void replace();
    void replaceAll();
    void updateCount();

    TableTextFinder& m_finder;
    QLineEdit* m_findField;
    QCheckBox* m_matchCase;
    QToolButton* m_previousButton;
    QToolButton* m_nextButton;
    QLabel* m_count;
    QPushButton* m_doneButton;
    QWidget* m_replaceRow;
    QLineEdit* m_replaceField;
    QPushButton* m_replaceButton;
    QPushButton* m_replaceAllButton;
};

} // namespace Quillary::Ui
