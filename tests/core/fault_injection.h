// Failures injected into the writes of the program (core/file_io.h): a full
// disk, a step that fails, a process killed in the middle of a write.
#pragma once

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <memory>
#include <vector>

#include "core/file_io.h"

namespace kindrela::test {

// Removes the injector however the test ends.
struct SansPanneALaFin {
  ~SansPanneALaFin() { FixeInjecteurPannes({}); }
};

// Every file written from now on fails, as on a full disk, once it holds
// `octets` bytes.
inline void DisquePleinApres(long long octets) {
  FixeInjecteurPannes([octets](PasEcriture& pas) {
    if (pas.etape != EtapeEcriture::Ecriture || pas.deja + pas.taille <= octets) return 0;
    pas.taille = std::max(0LL, octets - pas.deja);
    return ENOSPC;
  });
}

// The steps `ecrit` goes through, in order.
inline std::vector<EtapeEcriture> Etapes(const std::function<void()>& ecrit) {
  auto etapes = std::make_shared<std::vector<EtapeEcriture>>();
  FixeInjecteurPannes([etapes](PasEcriture& pas) {
    etapes->push_back(pas.etape);
    return 0;
  });
  ecrit();
  FixeInjecteurPannes({});
  return *etapes;
}

// Step `numero` (from 0) of `ecrit` fails with `erreur`.
inline void EchecALEtape(std::size_t numero, int erreur) {
  auto compte = std::make_shared<std::size_t>(0);
  FixeInjecteurPannes([compte, numero, erreur](PasEcriture&) { return (*compte)++ == numero ? erreur : 0; });
}

// Runs `ecrit` in a child process killed at step `numero` (from 0) of its
// writes, a write step being cut in half first, as a power cut or a kill
// would leave it. Returns once the child is gone.
inline void TueALEtape(std::size_t numero, const std::function<void()>& ecrit) {
  const pid_t enfant = ::fork();
  ASSERT_GE(enfant, 0);
  if (enfant == 0) {
    auto compte = std::make_shared<std::size_t>(0);
    auto tuer = std::make_shared<bool>(false);
    FixeInjecteurPannes([compte, tuer, numero](PasEcriture& pas) {
      if (*tuer) ::kill(::getpid(), SIGKILL);
      if ((*compte)++ != numero) return 0;
      if (pas.etape == EtapeEcriture::Ecriture && pas.taille > 1) {
        pas.taille /= 2;
        *tuer = true;
        return 0;
      }
      ::kill(::getpid(), SIGKILL);
      return 0;
    });
    ecrit();
    ::_exit(0);
  }
  int etat = 0;
  ASSERT_EQ(::waitpid(enfant, &etat, 0), enfant);
}

}  // namespace kindrela::test
