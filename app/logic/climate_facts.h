// The climate facts of the current station: what a class reads off a
// climate diagram before it names the climate, and the Koeppen-Geiger
// class as the answer key. The text of the "Climate facts" dialog and of
// its Copy button.
#pragma once

#include <string>

#include "station/climate_class.h"

// The facts as lines ending in "\r\n", in UTF-8 (the shell hands them to
// Windows as UTF-16): the class and its name; the annual mean temperature
// and range; the coldest and warmest month and the months at or above
// 10 degC; the annual precipitation, the driest and wettest month; the
// humid and arid months as the diagram fills them; the threshold and the
// sentences that decided the group. Without a class, one line that says so.
std::string ClimateFactsText(const ClimateFacts& facts);
