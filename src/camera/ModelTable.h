#pragma once
// Which module file serves which camera model.
#include <string>

// Module file for `model` ("Y800E" -> "Cam0006.omd"). A model in no row
// gives back `current`, the name chosen before.
std::string ModuleFileForModel(const std::string& model, const std::string& current);
