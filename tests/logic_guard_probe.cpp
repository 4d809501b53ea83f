// Must not compile: a logic target including a widget header.
#include <QWidget>

int probe()
{
    return 0;
}
