#include "ui/FormLook.h"

#include "ui/Fonts.h"

#include <QFont>
#include <QPalette>
#include <QWidget>

void ApplyFormLook(QWidget& form)
{
    QFont face(FormFontFamily());
    face.setPixelSize(12);
    form.setFont(face);
    QPalette colours = form.palette();
    colours.setColor(QPalette::Window, kFaceColour);
    colours.setColor(QPalette::WindowText, Qt::black);
    form.setPalette(colours);
    form.setAutoFillBackground(true);
}
