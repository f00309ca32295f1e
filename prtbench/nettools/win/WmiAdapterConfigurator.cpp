// Finding the adapter that carries the local address, and its three methods,
// each method's ReturnValue handed back to the caller.
#include "prtbench/nettools/win/WmiAdapterConfigurator.h"

#include <winsock2.h>

#include <objbase.h>
#include <wbemidl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "winui/Utf.h"

namespace prtbench {
namespace {

constexpr wchar_t kClass[] = L"Win32_NetworkAdapterConfiguration";
constexpr wchar_t kInterfaces[] = L"SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\";
constexpr long kNotCalled = -1;
constexpr long kDefaultMetric = 1;  // a gateway WMI lists without its metric
constexpr long kEnumerationWaitMs = 2000;

// The first IPv4 address the host name resolves to, dotted.
std::wstring LocalAddress() {
  char name[256] = {};
  if (gethostname(name, sizeof name) != 0) return {};
  const hostent* host = gethostbyname(name);
  if (!host || host->h_addrtype != AF_INET || !host->h_addr_list[0]) return {};
  in_addr address;
  memcpy(&address, host->h_addr_list[0], sizeof address);
  return winui::Widen(inet_ntoa(address));
}

bool IsIpv4(const std::wstring& text) {
  return text.find(L'.') != std::wstring::npos && text.find(L':') == std::wstring::npos;
}

// A property's text array (empty when it is null or of another type).
std::vector<std::wstring> Texts(IWbemClassObject* object, const wchar_t* property) {
  std::vector<std::wstring> texts;
  VARIANT value;
  VariantInit(&value);
  if (SUCCEEDED(object->Get(property, 0, &value, nullptr, nullptr)) && value.vt == (VT_ARRAY | VT_BSTR)) {
    LONG low = 0, high = -1;
    SafeArrayGetLBound(value.parray, 1, &low);
    SafeArrayGetUBound(value.parray, 1, &high);
    for (LONG i = low; i <= high; ++i) {
      BSTR text = nullptr;
      if (SUCCEEDED(SafeArrayGetElement(value.parray, &i, &text))) {
        texts.emplace_back(text ? text : L"");
        SysFreeString(text);
      }
    }
  }
  VariantClear(&value);
  return texts;
}

std::wstring Text(IWbemClassObject* object, const wchar_t* property) {
  VARIANT value;
  VariantInit(&value);
  std::wstring text;
  if (SUCCEEDED(object->Get(property, 0, &value, nullptr, nullptr)) && value.vt == VT_BSTR) text = value.bstrVal;
  VariantClear(&value);
  return text;
}

bool Flag(IWbemClassObject* object, const wchar_t* property) {
  VARIANT value;
  VariantInit(&value);
  bool flag = true;  // what the adapter is taken to use until read
  if (SUCCEEDED(object->Get(property, 0, &value, nullptr, nullptr)) && value.vt == VT_BOOL) {
    flag = value.boolVal != VARIANT_FALSE;
  }
  VariantClear(&value);
  return flag;
}

// A property's integer array (empty when it is null or of another type).
std::vector<long> Numbers(IWbemClassObject* object, const wchar_t* property) {
  std::vector<long> numbers;
  VARIANT value;
  VariantInit(&value);
  if (SUCCEEDED(object->Get(property, 0, &value, nullptr, nullptr)) && value.vt == (VT_ARRAY | VT_I4)) {
    LONG low = 0, high = -1;
    SafeArrayGetLBound(value.parray, 1, &low);
    SafeArrayGetUBound(value.parray, 1, &high);
    for (LONG i = low; i <= high; ++i) {
      long number = 0;
      if (SUCCEEDED(SafeArrayGetElement(value.parray, &i, &number))) numbers.push_back(number);
    }
  }
  VariantClear(&value);
  return numbers;
}

// The IPv4 elements of `list` (WMI lists IPv6 ones too: only IPv4 is set
// and restored) with the elements at the same places of `beside` (IPSubnet
// beside IPAddress, GatewayCostMetric beside DefaultIPGateway; `missing`
// where it is shorter).
template <typename T>
void Ipv4Elements(const std::vector<std::wstring>& list, const std::vector<T>& beside, const T& missing,
                  std::vector<std::string>& elements, std::vector<T>& besides) {
  for (size_t i = 0; i < list.size(); ++i) {
    if (!IsIpv4(list[i])) continue;
    elements.push_back(winui::Narrow(list[i]));
    besides.push_back(i < beside.size() ? beside[i] : missing);
  }
}

// An array for a method's input (an empty one for none).
VARIANT ArrayOf(const std::vector<std::string>& texts) {
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_ARRAY | VT_BSTR;
  value.parray = SafeArrayCreateVector(VT_BSTR, 0, static_cast<ULONG>(texts.size()));
  for (LONG index = 0; index < static_cast<LONG>(texts.size()); ++index) {
    BSTR element = SysAllocString(winui::Widen(texts[static_cast<size_t>(index)]).c_str());
    SafeArrayPutElement(value.parray, &index, element);
    SysFreeString(element);
  }
  return value;
}

VARIANT ArrayOf(const std::vector<int>& numbers) {
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_ARRAY | VT_I4;
  value.parray = SafeArrayCreateVector(VT_I4, 0, static_cast<ULONG>(numbers.size()));
  for (LONG index = 0; index < static_cast<LONG>(numbers.size()); ++index) {
    long number = numbers[static_cast<size_t>(index)];
    SafeArrayPutElement(value.parray, &index, &number);
  }
  return value;
}

class WmiAdapterConfigurator : public AdapterConfigurator {
 public:
  ~WmiAdapterConfigurator() override;
  std::optional<AdapterSettings> FindLocalAdapter() override;
  long EnableDhcp() override { return Execute(L"EnableDHCP", {}); }
  long EnableStatic(const std::vector<std::string>& ips, const std::vector<std::string>& masks) override {
    return Execute(L"EnableStatic", {{L"IPAddress", ArrayOf(ips)}, {L"SubnetMask", ArrayOf(masks)}});
  }
  long SetGateways(const std::vector<std::string>& gateways, const std::vector<int>& metrics) override {
    return Execute(L"SetGateways",
                   {{L"DefaultIPGateway", ArrayOf(gateways)}, {L"GatewayCostMetric", ArrayOf(metrics)}});
  }

 private:
  struct Input {
    const wchar_t* name;
    VARIANT value;  // owned: cleared after the call
  };
  bool Connect();
  // The adapter that carries `local`: the last one enumerated whose
  // addresses hold it. Fills `settings` (its whole IPv4 configuration) and
  // the SettingID.
  bool FindAdapter(const std::wstring& local, AdapterSettings& settings, std::wstring& settingId);
  long Execute(const wchar_t* method, std::vector<Input> inputs);

  bool comStarted_ = false;
  IWbemLocator* locator_ = nullptr;
  IWbemServices* services_ = nullptr;
  std::wstring path_;  // the adapter's __RELPATH
};

WmiAdapterConfigurator::~WmiAdapterConfigurator() {
  if (services_) services_->Release();
  if (locator_) locator_->Release();
  if (comStarted_) CoUninitialize();
}

bool WmiAdapterConfigurator::Connect() {
  const HRESULT started = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  comStarted_ = SUCCEEDED(started);
  // a process that set its security already keeps it (RPC_E_TOO_LATE)
  CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_PKT_PRIVACY, RPC_C_IMP_LEVEL_IMPERSONATE,
                       nullptr, EOAC_SECURE_REFS, nullptr);
  if (FAILED(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                              reinterpret_cast<void**>(&locator_)))) {
    return false;
  }
  BSTR space = SysAllocString(L"\\\\.\\root\\cimv2");
  const HRESULT connected = locator_->ConnectServer(space, nullptr, nullptr, nullptr, 0, nullptr, nullptr, &services_);
  SysFreeString(space);
  if (FAILED(connected)) return false;
  // when the process's security was set before (by a file dialog, say) the
  // proxy would only identify us, and the adapter methods would be refused
  CoSetProxyBlanket(services_, RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr, RPC_C_AUTHN_LEVEL_CALL,
                    RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE);
  return true;
}

bool WmiAdapterConfigurator::FindAdapter(const std::wstring& local, AdapterSettings& settings,
                                         std::wstring& settingId) {
  BSTR className = SysAllocString(kClass);
  IEnumWbemClassObject* adapters = nullptr;
  const HRESULT listed = services_->CreateInstanceEnum(className, WBEM_FLAG_FORWARD_ONLY, nullptr, &adapters);
  SysFreeString(className);
  if (FAILED(listed)) return false;
  bool found = false;
  IWbemClassObject* adapter = nullptr;
  ULONG returned = 0;
  while (adapters->Next(kEnumerationWaitMs, 1, &adapter, &returned) == WBEM_S_NO_ERROR && returned == 1) {
    const std::vector<std::wstring> addresses = Texts(adapter, L"IPAddress");
    if (std::find(addresses.begin(), addresses.end(), local) != addresses.end()) {
      found = true;
      path_ = Text(adapter, L"__RELPATH");
      settings = AdapterSettings{};
      settings.dhcp = Flag(adapter, L"DHCPEnabled");
      std::vector<std::wstring> masks;
      Ipv4Elements(addresses, Texts(adapter, L"IPSubnet"), std::wstring(), settings.ips, masks);
      for (const std::wstring& mask : masks) settings.masks.push_back(winui::Narrow(mask));
      std::vector<long> metrics;
      Ipv4Elements(Texts(adapter, L"DefaultIPGateway"), Numbers(adapter, L"GatewayCostMetric"), kDefaultMetric,
                   settings.gateways, metrics);
      settings.metrics.assign(metrics.begin(), metrics.end());
      settingId = Text(adapter, L"SettingID");
    }
    adapter->Release();
  }
  adapters->Release();
  return found;
}

std::optional<AdapterSettings> WmiAdapterConfigurator::FindLocalAdapter() {
  const std::wstring local = LocalAddress();
  if (local.empty() || !Connect()) return std::nullopt;
  AdapterSettings settings;
  std::wstring settingId;
  if (!FindAdapter(local, settings, settingId) || settingId.empty()) return std::nullopt;
  // an adapter without its interface key is not one the system's TCP/IP runs on
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, (kInterfaces + settingId).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  RegCloseKey(key);
  return settings;
}

long WmiAdapterConfigurator::Execute(const wchar_t* method, std::vector<Input> inputs) {
  long result = kNotCalled;
  IWbemClassObject* definition = nullptr;
  IWbemClassObject* parameters = nullptr;
  IWbemClassObject* in = nullptr;
  IWbemClassObject* out = nullptr;
  BSTR className = SysAllocString(kClass);
  BSTR path = SysAllocString(path_.c_str());
  BSTR name = SysAllocString(method);
  bool ready = services_ && !path_.empty();
  if (ready && !inputs.empty()) {
    ready = SUCCEEDED(services_->GetObject(className, 0, nullptr, &definition, nullptr)) &&
            SUCCEEDED(definition->GetMethod(method, 0, &parameters, nullptr)) && parameters &&
            SUCCEEDED(parameters->SpawnInstance(0, &in));
    for (Input& input : inputs) ready = ready && SUCCEEDED(in->Put(input.name, 0, &input.value, 0));
  }
  if (ready && SUCCEEDED(services_->ExecMethod(path, name, 0, nullptr, in, &out, nullptr)) && out) {
    VARIANT value;
    VariantInit(&value);
    if (SUCCEEDED(out->Get(L"ReturnValue", 0, &value, nullptr, nullptr)) && value.vt == VT_I4) result = value.lVal;
    VariantClear(&value);
  }
  for (Input& input : inputs) VariantClear(&input.value);
  for (IWbemClassObject* object : {definition, parameters, in, out}) {
    if (object) object->Release();
  }
  SysFreeString(className);
  SysFreeString(path);
  SysFreeString(name);
  return result;
}

}  // namespace

std::unique_ptr<AdapterConfigurator> MakeWmiAdapterConfigurator() { return std::make_unique<WmiAdapterConfigurator>(); }

}  // namespace prtbench
