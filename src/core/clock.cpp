#include "core/clock.h"

#include <ctime>
#include <mutex>

namespace kindrela {
namespace {

std::mutex g_verrou;
bool g_fixe = false;
Jour g_jourFixe;

}  // namespace

Jour Aujourdhui() {
  {
    std::lock_guard<std::mutex> garde(g_verrou);
    if (g_fixe) return g_jourFixe;
  }
  std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  Jour j;
  j.annee = local.tm_year + 1900;
  j.mois = local.tm_mon + 1;
  j.jour = local.tm_mday;
  j.heure = local.tm_hour;
  j.minute = local.tm_min;
  j.seconde = local.tm_sec;
  return j;
}

void FixeAujourdhui(const Jour& jour) {
  std::lock_guard<std::mutex> garde(g_verrou);
  g_fixe = jour.annee != 0;
  g_jourFixe = jour;
}

void LibereAujourdhui() {
  std::lock_guard<std::mutex> garde(g_verrou);
  g_fixe = false;
}

std::string DateDuJourTexte() {
  Jour j = Aujourdhui();
  return std::to_string(j.jour) + "/" + std::to_string(j.mois) + "/" + std::to_string(j.annee);
}

}  // namespace kindrela
