#pragma once
#include <QString>

// Gives a dialog's new control the name tests and scripts find it by.
template <typename T>
T* Named(T* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}
