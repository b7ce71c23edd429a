// Message texts of the forms layer: the component model, form data and dialogs.
#pragma once

namespace forms::msg {
inline constexpr const char* InvalidStream = "Invalid stream format";
inline constexpr const char* InvalidPropertyValue = "Invalid property value";
inline constexpr const char* UnknownProperty = "Property %s does not exist";
inline constexpr const char* ClassNotFound = "Class %s not found";
inline constexpr const char* DuplicateName = "A component named %s already exists";
inline constexpr const char* InvalidName = "\"%s\" is not a valid component name";
inline constexpr const char* UnresolvedReference = "Component %s not found";
inline constexpr const char* MethodNotFound = "Method %s not found";
inline constexpr const char* AssignError = "Cannot assign a %s to a %s";
inline constexpr const char* ErrorCaption = "Error";
}  // namespace forms::msg
