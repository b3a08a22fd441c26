#include "i18n/event_words.h"

#include "core/database.h"
#include "i18n/translation.h"

namespace kindrela {

void MotsEvenements(const TTraduction& t, TBD& bd) {
  bd.NatProfession = t.Msg(200);
  bd.NatNaissance = t.Msg(201);
  bd.NatBapteme = t.Msg(202);
  bd.NatDeces = t.Msg(203);
  bd.NatSepulture = t.Msg(204);
  bd.NatMariage = t.Msg(205);
  bd.NatDivorce = t.Msg(206);
}

}  // namespace kindrela
