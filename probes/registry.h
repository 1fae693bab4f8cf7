#pragma once

#include "platform/registry.h"

#include <string>

// The program's only access to the registry. Every call opens its key, does
// one thing and closes the key again.
namespace HandleRegistry {

// The value's text; raises common::SetupError ("Key unavailable") when the
// key or the value cannot be read. A key that did not exist is left created.
std::string ReadRegString(platform::RegistryService& registry, const std::string& keyPath,
                          const std::string& valueName, platform::RegRoot root);

// Stores a REG_SZ value, creating the key when it is missing. Never reports a failure.
void WriteRegString(platform::RegistryService& registry, const std::string& keyPath,
                    const std::string& valueName, const std::string& value, platform::RegRoot root);

// True when the value exists. Never fails; a missing key is left created.
bool RegValueExists(platform::RegistryService& registry, const std::string& keyPath,
                    const std::string& valueName, platform::RegRoot root);

} // namespace HandleRegistry
