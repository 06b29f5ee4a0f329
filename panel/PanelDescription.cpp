// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "panel/PanelDescription.h"

#include "panel/MyBitmapApp.h"
#include "platform/Message.h"
#include "platform/Trace.h"

#include <QFile>
#include <QFileInfo>

#include <pugixml.hpp>

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

namespace {

enum class ElementKind { None, Panel, Port, Lamp, Slot, Com, Power, Led, Module };

// A descent that selects the same elements over and over could multiply the tree without
// end, and a deep one would exhaust the stack; no real panel comes near these limits.
constexpr int kVisitLimit = 20000;
constexpr size_t kDepthLimit = 200;

ElementKind KindOf(std::string_view name) {
    static constexpr std::pair<std::string_view, ElementKind> kinds[] = {
        {"PANEL", ElementKind::Panel},   {"PORT", ElementKind::Port},
        {"LAMP", ElementKind::Lamp},     {"SLOT", ElementKind::Slot},
        {"CONSOLE", ElementKind::Com},   {"MASTER", ElementKind::Com},
        {"RPS", ElementKind::Com},       {"FAN", ElementKind::Com},
        {"POWER", ElementKind::Power},   {"LED", ElementKind::Led},
        {"MODULE", ElementKind::Module},
    };
    for (const auto& [word, kind] : kinds) {
        if (word == name) {
            return kind;
        }
    }
    return ElementKind::None;
}

std::unique_ptr<CPanelItem> CreateItem(ElementKind kind) {
    switch (kind) {
    case ElementKind::Panel:
        return std::make_unique<CPanel>();
    case ElementKind::Port:
        return std::make_unique<CPort>();
    case ElementKind::Lamp:
        return std::make_unique<CLamp>();
    case ElementKind::Slot:
        return std::make_unique<CSlot>();
    case ElementKind::Com:
        return std::make_unique<CCom>();
    case ElementKind::Power:
        return std::make_unique<CPower>();
    case ElementKind::Led:
        return std::make_unique<CLed>();
    case ElementKind::Module:
        return std::make_unique<CModule>();
    case ElementKind::None:
        break;
    }
    return nullptr;
}

int WordValue(std::string_view text, std::initializer_list<std::string_view> words) {
    int value = 0;
    for (std::string_view word : words) {
        if (word == text) {
            return value;
        }
        ++value;
    }
    return -1;
}

int LampStatusWord(std::string_view text) {
    return WordValue(text, {"LAMPON", "LAMP1G", "LAMPOFF"});
}

int PortStatusWord(std::string_view text) {
    return WordValue(text,
                     {"PORTLINK100", "PORTLINK10", "PORTDISABLED", "PORTENABLE", "PORTEMPTY"});
}

int LampTypeWord(std::string_view text) {
    return WordValue(text, {"LINK", "S100M", "POWER", "CONSOLE"});
}

QString Text(const pugi::xml_attribute& attribute) {
    return QString::fromUtf8(attribute.value());
}

// The node an attribute value selects, evaluated as XPath relative to the element. Values
// that are no node expression (numbers, file names that are no valid XPath) select nothing.
pugi::xml_node SelectedNode(const pugi::xml_node& element, const char* expression) {
    try {
        const pugi::xpath_query query(expression);
        if (query.return_type() != pugi::xpath_type_node_set) {
            return {};
        }
        return query.evaluate_node(element).node();
    } catch (const pugi::xpath_exception&) {
        return {};
    }
}

struct LoadFault {
    std::string element;
    int line = 0;
    std::string missingAttribute; // empty: the descent went on too long
};

class DescriptionLoader {
public:
    DescriptionLoader(const QString& fileName, CDevModule& root, CModuleList& modules)
        : m_FileName(fileName), m_Folder(QFileInfo(fileName).absolutePath()), m_Root(root),
          m_Modules(modules) {}

    bool Load();
    bool Load(const QByteArray& content);

private:
    bool ReadDocument();
    bool ParseDocument();
    void LoadDocument();
    void ApplyDevicePanel(const pugi::xml_node& element);
    void Visit(const pugi::xml_node& node, CPanelItem* parent);
    void VisitElementObject(const pugi::xml_node& element, ElementKind kind, CPanelItem* parent);
    void VisitChildren(const pugi::xml_node& element, CPanelItem* parent);
    bool CheckRequired(const pugi::xml_node& element);
    void ApplyAttributes(const pugi::xml_node& element, CPanelItem& item, ElementKind kind);
    void ApplyGeometry(const pugi::xml_node& element, CPanelItem& item);
    void ApplyStatusAndType(const pugi::xml_node& element, CPanelItem& item, ElementKind kind);
    void ApplyPortBitmaps(const pugi::xml_node& element, CPort& port);
    void ApplyLedBitmaps(const pugi::xml_node& element, CLed& led);
    void AddToParent(std::unique_ptr<CPanelItem> item, ElementKind kind, CPanelItem* parent);
    bool IsOnVisitPath(const pugi::xml_node& node) const;
    int LineOf(const pugi::xml_node& node) const;
    void ReportFaults() const;

    QString m_FileName;
    QString m_Folder;
    CDevModule& m_Root;
    CModuleList& m_Modules;
    QByteArray m_Buffer;
    pugi::xml_document m_Document;
    QString m_ReadError;
    std::vector<LoadFault> m_Faults;
    std::vector<pugi::xml_node> m_VisitPath;
    int m_nVisits = 0;
    bool m_bLimitReported = false;
};

std::vector<pugi::xml_node> ElementsByTagName(const pugi::xml_document& document,
                                              const char* name) {
    std::vector<pugi::xml_node> found;
    const std::string query = "//" + std::string(name);
    for (const pugi::xpath_node& hit : document.select_nodes(query.c_str())) {
        found.push_back(hit.node());
    }
    return found;
}

bool DescriptionLoader::Load() {
    if (!ReadDocument()) {
        ReportFaults();
        return false;
    }
    LoadDocument();
    return m_Faults.empty();
}

bool DescriptionLoader::Load(const QByteArray& content) {
    m_Buffer = content;
    if (!ParseDocument()) {
        ReportFaults();
        return false;
    }
    LoadDocument();
    return m_Faults.empty();
}

void DescriptionLoader::LoadDocument() {
    const auto panels = ElementsByTagName(m_Document, "DEVICEPANEL");
    platform::DebugTrace(" node num = " + std::to_string(panels.size()));
    for (const pugi::xml_node& panel : panels) {
        ApplyDevicePanel(panel);
    }
    for (const pugi::xml_node& deviceModule : ElementsByTagName(m_Document, "DEVICEMODULE")) {
        m_VisitPath = {deviceModule};
        VisitChildren(deviceModule, nullptr);
    }
    for (int n = 1; CPort* port = NumberedPort(m_Root, n); ++n) {
        port->SetPortIdentifier(n);
    }
    ReportFaults();
}

bool DescriptionLoader::ReadDocument() {
    QFile file(m_FileName);
    if (!file.open(QIODevice::ReadOnly)) {
        m_ReadError = file.errorString();
        return false;
    }
    m_Buffer = file.readAll();
    return ParseDocument();
}

bool DescriptionLoader::ParseDocument() {
    const pugi::xml_parse_result parsed =
        m_Document.load_buffer(m_Buffer.constData(), static_cast<size_t>(m_Buffer.size()));
    if (!parsed) {
        m_ReadError = QStringLiteral("%1 at offset %2")
                          .arg(QString::fromUtf8(parsed.description()))
                          .arg(parsed.offset);
        return false;
    }
    return true;
}

void DescriptionLoader::ApplyDevicePanel(const pugi::xml_node& element) {
    if (!CheckRequired(element)) {
        return;
    }
    ApplyAttributes(element, m_Root, ElementKind::None);
    m_Root.Initialize();
    m_VisitPath = {element};
    VisitChildren(element, &m_Root);
}

void DescriptionLoader::Visit(const pugi::xml_node& node, CPanelItem* parent) {
    if (node.type() != pugi::node_element || IsOnVisitPath(node)) {
        return;
    }
    const std::string_view name = node.name();
    // Each of these is read once by its own pass over the document.
    if (name == "DEVICEPANEL" || name == "DEVICEMODULE") {
        return;
    }
    if (++m_nVisits > kVisitLimit || m_VisitPath.size() >= kDepthLimit) {
        if (!m_bLimitReported) {
            m_bLimitReported = true;
            m_Faults.push_back({node.name(), LineOf(node), {}});
        }
        return;
    }
    const ElementKind kind = KindOf(name);
    m_VisitPath.push_back(node);
    if (kind == ElementKind::None || (parent == nullptr && kind != ElementKind::Module)) {
        VisitChildren(node, nullptr);
    } else {
        VisitElementObject(node, kind, parent);
    }
    m_VisitPath.pop_back();
}

void DescriptionLoader::VisitElementObject(const pugi::xml_node& element, ElementKind kind,
                                           CPanelItem* parent) {
    if (!CheckRequired(element)) {
        return;
    }
    std::unique_ptr<CPanelItem> item = CreateItem(kind);
    ApplyAttributes(element, *item, kind);
    CPanelItem* created = item.get();
    if (kind == ElementKind::Panel) {
        created->Initialize();
        AddToParent(std::move(item), kind, parent);
    } else {
        AddToParent(std::move(item), kind, parent);
        created->Initialize();
    }
    VisitChildren(element, created);
}

void DescriptionLoader::VisitChildren(const pugi::xml_node& element, CPanelItem* parent) {
    for (const pugi::xml_attribute& attribute : element.attributes()) {
        const pugi::xml_node selected = SelectedNode(element, attribute.value());
        for (const pugi::xml_node& child : selected.children()) {
            Visit(child, parent);
        }
    }
}

bool DescriptionLoader::CheckRequired(const pugi::xml_node& element) {
    for (const char* name : {"ID", "LEFT", "TOP", "WIDTH", "HEIGHT"}) {
        if (!element.attribute(name)) {
            m_Faults.push_back({element.name(), LineOf(element), name});
            return false;
        }
    }
    return true;
}

void DescriptionLoader::ApplyAttributes(const pugi::xml_node& element, CPanelItem& item,
                                        ElementKind kind) {
    ApplyGeometry(element, item);
    item.SetBitmapFolder(m_Folder);
    if (const auto bmp = element.attribute("BMP")) {
        item.SetBitmapName(Text(bmp));
    }
    ApplyStatusAndType(element, item, kind);
    if (const auto name = element.attribute("NAME")) {
        item.SetName(Text(name));
    }
    if (kind == ElementKind::Port) {
        ApplyPortBitmaps(element, static_cast<CPort&>(item));
    } else if (kind == ElementKind::Led) {
        ApplyLedBitmaps(element, static_cast<CLed&>(item));
    }
}

// ID, then the rectangle; an ID of "0" records the element's position instead.
void DescriptionLoader::ApplyGeometry(const pugi::xml_node& element, CPanelItem& item) {
    const std::string_view id = element.attribute("ID").value();
    const int left = LeadingNumber(element.attribute("LEFT").value());
    const int top = LeadingNumber(element.attribute("TOP").value());
    if (id == "0") {
        CMyBitmapApp::Instance().AddPosition(left, top);
    } else {
        item.SetIdentifier(QString::fromUtf8(id.data(), static_cast<qsizetype>(id.size())));
    }
    item.SetRect(left, top, LeadingNumber(element.attribute("WIDTH").value()),
                 LeadingNumber(element.attribute("HEIGHT").value()));
}

// Port words count on ports only, lamp words and types on lamps only.
void DescriptionLoader::ApplyStatusAndType(const pugi::xml_node& element, CPanelItem& item,
                                           ElementKind kind) {
    const char* status = element.attribute("STATUS").value();
    const int value = kind == ElementKind::Lamp   ? LampStatusWord(status)
                      : kind == ElementKind::Port ? PortStatusWord(status)
                                                  : -1;
    if (value >= 0) {
        item.CPanelItem::SetStatus(value);
    }
    if (kind == ElementKind::Lamp) {
        if (const int type = LampTypeWord(element.attribute("TYPE").value()); type >= 0) {
            item.SetType(type);
        }
    }
}

void DescriptionLoader::ApplyPortBitmaps(const pugi::xml_node& element, CPort& port) {
    static constexpr const char* names[CPort::kStates] = {"BMPLINK100", "BMPLINK10", "BMPDISABLE",
                                                          "BMPENABLE", "BMPEMPTY"};
    for (int status = 0; status < CPort::kStates; ++status) {
        port.SetStateBitmap(status, Text(element.attribute(names[status])));
    }
}

void DescriptionLoader::ApplyLedBitmaps(const pugi::xml_node& element, CLed& led) {
    for (int index = 0; index < CLed::kValues; ++index) {
        const std::string name = "BMP" + std::to_string(index);
        led.SetBitmap(index, Text(element.attribute(name.c_str())));
    }
}

void DescriptionLoader::AddToParent(std::unique_ptr<CPanelItem> item, ElementKind kind,
                                    CPanelItem* parent) {
    if (kind == ElementKind::Lamp) {
        static_cast<CLamp&>(*item).AttachTo(parent);
    }
    if (parent) {
        parent->AddChild(std::move(item));
    } else if (kind == ElementKind::Module) {
        m_Modules.emplace_back(static_cast<CModule*>(item.release()));
    }
}

bool DescriptionLoader::IsOnVisitPath(const pugi::xml_node& node) const {
    return std::find(m_VisitPath.begin(), m_VisitPath.end(), node) != m_VisitPath.end();
}

int DescriptionLoader::LineOf(const pugi::xml_node& node) const {
    const ptrdiff_t offset = node.offset_debug();
    if (offset < 0 || offset > m_Buffer.size()) {
        return 0;
    }
    return 1 + static_cast<int>(
                   std::count(m_Buffer.constBegin(), m_Buffer.constBegin() + offset, '\n'));
}

void DescriptionLoader::ReportFaults() const {
    if (!m_ReadError.isEmpty()) {
        platform::ShowMessage(
            QStringLiteral("The panel description file \"%1\" could not be read: %2.")
                .arg(m_FileName, m_ReadError));
        return;
    }
    if (m_Faults.empty()) {
        return;
    }
    const LoadFault& first = m_Faults.front();
    const QString element = QString::fromStdString(first.element);
    QString text =
        first.missingAttribute.empty()
            ? QStringLiteral("The panel description file \"%1\" could not be loaded completely: "
                             "the element <%2> on line %3 leads into too many elements.")
                  .arg(m_FileName, element)
                  .arg(first.line)
            : QStringLiteral("The panel description file \"%1\" could not be loaded completely: "
                             "the element <%2> on line %3 has no %4 attribute.")
                  .arg(m_FileName, element)
                  .arg(first.line)
                  .arg(QString::fromStdString(first.missingAttribute));
    if (m_Faults.size() > 1) {
        text += QStringLiteral(" %1 more element(s) are faulty as well.").arg(m_Faults.size() - 1);
    }
    platform::ShowMessage(text);
}

} // namespace

bool LoadPanelDescription(const QString& fileName, CDevModule& root, CModuleList& modules) {
    return DescriptionLoader(fileName, root, modules).Load();
}

bool LoadPanelDescriptionText(const QByteArray& content, const QString& fileName, CDevModule& root,
                              CModuleList& modules) {
    return DescriptionLoader(fileName, root, modules).Load(content);
}

int LeadingNumber(std::string_view text) {
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        value = std::min<long long>(value * 10 + (c - '0'), INT_MAX);
    }
    return static_cast<int>(value);
}
