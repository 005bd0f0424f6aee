#include "host/core/Windows.h"
#include "tests/host/ui/ProvaDialog.h"

namespace prova {

struct Resources::Impl {
    HostModule module;
    EXTENSION_MODULE record;
    std::unique_ptr<CDynLinkLibrary> link;
};

Resources::Resources() : m_Impl(std::make_unique<Impl>()) {
    m_Impl->module.resources = ProvaResourceTable();
    InitExtensionModule(m_Impl->record, &m_Impl->module);
    m_Impl->link = std::make_unique<CDynLinkLibrary>(m_Impl->record);
}

Resources::~Resources() {
    m_Impl->link.reset();
    TermExtensionModule(m_Impl->record);
}

} // namespace prova
