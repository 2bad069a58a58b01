#pragma once
// The background window Ground: a borderless window filled with a gradient, with two titles,
// shown maximised behind the wizard when the package asks for it.
#include "package/package_data.h"
#include "toolkit/toolkit.h"

struct Program;

struct GroundRecord {
    Form* Ground = nullptr;
    GradientPanel* GroundPanel = nullptr;
    Label* GroundTitle1 = nullptr;
    Label* GroundTitle2 = nullptr;
};

// Builds the hidden window; its close question and clicks reach the program's wizard.
GroundRecord& CreateGroundWindow(Application& app, Program& program);
// Applies the package's colours and titles (MainSettings); the window has just been maximised.
// A numeric setting that is not a number raises the conversion error.
void ConfigureGround(GroundRecord& ground, const StringList& settings);
