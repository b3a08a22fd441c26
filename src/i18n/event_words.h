// The event-kind words the database compares events with, in the
// interface language (messages 200 to 206).
#pragma once

namespace kindrela {

class TBD;
class TTraduction;

void MotsEvenements(const TTraduction& traduction, TBD& bd);

}  // namespace kindrela
