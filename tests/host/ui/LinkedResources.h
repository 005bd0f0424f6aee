// Links a resource table into the host's resource chain for the object's lifetime, as a module's attach
// does: unit tests find their templates and strings without loading a module.
#pragma once

#include "host/core/Windows.h"
#include "hostapi/Resources.h"

#include <memory>

class LinkedResources {
public:
    explicit LinkedResources(const ResourceTable* table) {
        m_Module.resources = table;
        InitExtensionModule(m_Record, &m_Module);
        m_Link = std::make_unique<CDynLinkLibrary>(m_Record);
    }
    ~LinkedResources() {
        m_Link.reset();
        TermExtensionModule(m_Record);
    }
    LinkedResources(const LinkedResources&) = delete;
    LinkedResources& operator=(const LinkedResources&) = delete;

private:
    HostModule m_Module;
    EXTENSION_MODULE m_Record;
    std::unique_ptr<CDynLinkLibrary> m_Link;
};
