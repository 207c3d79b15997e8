#include "ui/FormLook.h"

#include "ui/Fonts.h"

#include <QFont>
#include <QPalette>
#include <QWidget>

QFont FormFont()
{
    QFont face(FormFontFamily());
    face.setPixelSize(12);
    return face;
}

void ApplyFormLook(QWidget& form)
{
    form.setFont(FormFont());
    QPalette colours = form.palette();
    colours.setColor(QPalette::Window, kFaceColour);
    colours.setColor(QPalette::WindowText, Qt::black);
    form.setPalette(colours);
    form.setAutoFillBackground(true);
}
