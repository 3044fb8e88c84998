#pragma once
// Selection of the simulated camera backend: "--simulate MODEL[,MODEL...]"
// (or "--simulate=...") on the command line, else the VANTORA_SIMULATE
// environment variable.
#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

// The models to attach when simulating, or nothing for the real USB bus. An
// empty list means simulating with no camera attached at start. The command
// line wins over the environment; an empty environment value is unset.
std::optional<std::vector<std::string>> simulatedModels(const QStringList& arguments,
                                                        const QString& environmentValue);
