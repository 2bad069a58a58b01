#pragma once
// Whether the process runs with administrator rights in full (an elevated token).
bool RunsElevated();
