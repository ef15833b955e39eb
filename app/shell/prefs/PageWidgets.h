#pragma once

#include <QString>

class QLabel;

// A label of a preference page with its text from the string service;
// wrapping labels keep long texts within the page.
QLabel* NewPageLabel(int textId, bool wordWrap = false);
