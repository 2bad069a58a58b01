#include "package/program.h"

SplashRecord* SplashHolder = nullptr;
GroundRecord* GroundHolder = nullptr;
SetupFormRecord* SetupHolder = nullptr;
