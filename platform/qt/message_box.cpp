#include "platform/qt/message_box.h"

#include <QMessageBox>
#include <QString>

namespace morvane {

void QtMessageBox::show(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kApplicationTitle), QString::fromStdString(text),
                    QMessageBox::Ok, parent_);
    box.exec();
}

}  // namespace morvane
