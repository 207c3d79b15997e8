#pragma once
// Controls are found by the names the form gives them. A missing name or a control of another kind
// is a fault of the program, reported loudly instead of silently doing nothing.

#include <QObject>
#include <QString>

#include <stdexcept>
#include <string>

template <class T> T& NamedChild(const QObject& parent, const char* name)
{
    if (T* child = parent.findChild<T*>(QLatin1String(name)))
        return *child;
    throw std::logic_error(std::string("The window has no control ") + name + " of the kind asked for");
}
