#pragma once
// The 16 x 16 state pictures of the progress dialog's rows, drawn in code:
// waiting (a grey clock), running (a blue arrow), finished (a green tick).

#include <QIcon>

// state is a TaskProgressRow state; other values give an empty icon.
QIcon MakeTaskStateIcon(int state);
