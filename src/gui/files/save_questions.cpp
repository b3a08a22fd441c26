#include "gui/files/save_questions.h"

#include "gui/common/message_box.h"
#include "gui/common/qt_text.h"
#include "i18n/translation.h"

namespace kindrela {
namespace {

// A long list is cut: the box must fit on the screen.
constexpr std::size_t kLignesMontrees = 15;

}  // namespace

ConfirmeCoupures QuestionCoupures(QWidget* parent, const TTraduction& traduction) {
  return [parent, &traduction](const std::vector<std::string>& coupures) {
    std::string texte = traduction.MsgCle("sauve_coupures");
    for (std::size_t i = 0; i < coupures.size() && i < kLignesMontrees; ++i) texte += "\n" + coupures[i];
    if (coupures.size() > kLignesMontrees) texte += "\n...";
    texte += "\n\n" + traduction.MsgCle("sauve_coupures_question");
    return BoiteMessage(VersQString(texte), kAttention, kBoutonOui | kBoutonNon, parent) == kResultatOui;
  };
}

}  // namespace kindrela
