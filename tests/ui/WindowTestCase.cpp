#include "WindowTestCase.h"

#include "UiTestSupport.h"
#include "app/DocumentController.h"
#include "documents/DocumentWindow.h"
#include "documents/Preferences.h"

#include <QTest>

namespace Quillary::Test {

WindowTestCase::WindowTestCase() = default;

WindowTestCase::~WindowTestCase() = default;

Ui::DocumentWindow* WindowTestCase::open(const QString& relative)
{
    Ui::DocumentWindow* window = openCopy(*m_controller, *m_dir, relative);
    if (!window)
        qFatal("cannot open %s", qPrintable(relative));
    return window;
}

void WindowTestCase::initTestCase()
{
    isolateUserSettings();
}

void WindowTestCase::init()
{
    resetUiSeams();
    Preferences::instance().restoreDefaults();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_controller = std::make_unique<Ui::DocumentController>(Preferences::instance());
}

void WindowTestCase::cleanup()
{
    for (Ui::DocumentWindow* window : m_controller->windows())
        delete window;
    m_controller.reset();
    m_dir.reset();
}

} // namespace Quillary::Test
