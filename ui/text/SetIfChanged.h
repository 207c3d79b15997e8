#pragma once
// The rule every property setter of the effect text keeps: a value equal to the current one
// changes nothing and notifies nobody.

// Stores `value` in `field`; false when `field` already held it.
template <class T> bool SetIfChanged(T& field, const T& value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}
