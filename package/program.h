#pragma once
// The program's one reference to each window's record, for the handlers that reach across
// windows (the background's close question reads the wizard's Next caption, the wizard reads the
// package that the splash window holds).
struct SplashRecord;
struct GroundRecord;
struct SetupFormRecord;

extern SplashRecord* SplashHolder;
extern GroundRecord* GroundHolder;
extern SetupFormRecord* SetupHolder;
