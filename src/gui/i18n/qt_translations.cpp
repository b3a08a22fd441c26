#include "gui/i18n/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "gui/common/qt_text.h"
#include "i18n/translation.h"

namespace kindrela {

bool ChargeTraductionsQt(QCoreApplication& appli, const TTraduction& traduction) {
  const QString code = VersQString(traduction.MsgCle("langue_qt")).trimmed();
  if (code.isEmpty()) return false;
  const QLocale langue(code);
  // Dates and numbers of Qt's dialogs follow the interface too.
  QLocale::setDefault(langue);
  auto* qt = new QTranslator(&appli);
  if (!qt->load(langue, "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete qt;
    return false;
  }
  QCoreApplication::installTranslator(qt);
  return true;
}

}  // namespace kindrela
