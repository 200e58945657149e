#pragma once

#include <QObject>
#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace Quillary::Ui {
class DocumentController;
class DocumentWindow;
} // namespace Quillary::Ui

namespace Quillary::Test {

/// The fixture of the tests that drive document windows: settings of their own for the run, a
/// document controller and a folder for copies of the test files per test, and no window, alert
/// answer or panel answer left over from the test before.
class WindowTestCase : public QObject
{
    Q_OBJECT

public:
    WindowTestCase();
    ~WindowTestCase() override;

protected:
    /// A copy of a file of tests/data opened in a window of the controller; the run stops when it cannot be.
    Ui::DocumentWindow* open(const QString& relative);
    [[nodiscard]] Ui::DocumentController& controller() const { return *m_controller; }
    [[nodiscard]] const QTemporaryDir& dir() const { return *m_dir; }

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Ui::DocumentController> m_controller;
};

} // namespace Quillary::Test
