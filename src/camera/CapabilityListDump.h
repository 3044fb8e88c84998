#pragma once
// Diagnostic listing of an object's capabilities with their current values.
#include <string>
#include <vector>

class CamObject;

// Re-reads the capability list, then one title line and one line per
// capability (tagged text). Empty when the list cannot be read.
std::vector<std::string> CapabilityListDump(CamObject* object);
