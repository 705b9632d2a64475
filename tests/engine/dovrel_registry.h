/*
 * dovrel_registry.h - Dovrel's settings in the registry, for the home-automation tests:
 * each setting is a subkey of its key whose default value holds the setting.
 */
#ifndef ORVANE_DOVREL_REGISTRY_H
#define ORVANE_DOVREL_REGISTRY_H

#include <string>
#include "testsupport.h"

inline const char *DovrelKey()
{
    return "Software\\Zendra\\Dovrel(TM)";
}

inline std::string DovrelSettingKey(const char *pszSetting)
{
    return std::string(DovrelKey()) + "\\" + pszSetting;
}

inline bool StoreDovrelSetting(const char *pszSetting, const std::string &strValue)
{
    return WriteRegString(HKEY_CURRENT_USER, DovrelSettingKey(pszSetting).c_str(), NULL, strValue);
}

/* The stored setting, or "(none)" when it is missing. */
inline std::string StoredDovrelSetting(const char *pszSetting)
{
    std::string strValue = "(none)";
    ReadRegString(HKEY_CURRENT_USER, DovrelSettingKey(pszSetting).c_str(), NULL, &strValue);
    return strValue;
}

inline void DeleteDovrelKey()
{
    DeleteRegKey(HKEY_CURRENT_USER, DovrelKey());
}

#endif /* ORVANE_DOVREL_REGISTRY_H */
