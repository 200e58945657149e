#include "AlertSound.h"

#include <QApplication>

namespace Quillary::Ui {

namespace {

int& count()
{
    static int played = 0;
    return played;
}

} // namespace

void AlertSound::play()
{
    ++count();
    QApplication::beep();
}

int AlertSound::playedCount()
{
    return count();
}

} // namespace Quillary::Ui
