#include "ui/skin/MessageBoxLook.h"

#include "ui/FormLook.h"
#include "ui/skin/SkinResources.h"
#include "ui/skin/ZYForm.h"

#include <QDialog>
#include <QLabel>
#include <QPalette>

void DressLikeMessageBox(QDialog& dialog, TZYForm& frame, QLabel& title, QObject& dragFilter)
{
    ApplyFormLook(dialog);
    frame.lower();
    frame.SetPicture(ResourceSkin(QStringLiteral("ZYInfoDlgSkin")));

    QPalette titleColours = title.palette();
    titleColours.setColor(QPalette::WindowText, Qt::white);
    title.setPalette(titleColours);
    title.setCursor(Qt::PointingHandCursor);
    title.adjustSize();
    title.installEventFilter(&dragFilter);
}
