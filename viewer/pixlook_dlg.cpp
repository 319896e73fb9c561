#include "viewer/pixlook_dlg.h"

#include "framework/app.h"
#include "platform/handles.h"
#include "platform/profile.h"
#include "viewer/bmp_layout.h"

HWND g_hViewerWnd = nullptr;

namespace {

constexpr char kSection[] = "tavik";
constexpr char kKey[] = "SnapBMP";
constexpr char kCaption[] = "Snap";

// BeginPaint / EndPaint for one WM_PAINT.
class PaintContext {
 public:
  explicit PaintContext(HWND hwnd) : hwnd_(hwnd) { dc_ = BeginPaint(hwnd_, &ps_); }
  ~PaintContext() { EndPaint(hwnd_, &ps_); }
  PaintContext(const PaintContext&) = delete;
  PaintContext& operator=(const PaintContext&) = delete;
  HDC dc() const { return dc_; }

 private:
  HWND hwnd_;
  PAINTSTRUCT ps_;
  HDC dc_;
};

}  // namespace

BEGIN_MESSAGE_MAP(CPixlookDlg, CDialog)
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_WM_DESTROY()
ON_MESSAGE(WM_SNAP_RELOAD, &CPixlookDlg::OnSnapReload)
ON_MESSAGE(WM_SNAP_REREAD_PATH, &CPixlookDlg::OnSnapRereadPath)
ON_WM_CLOSE()
ON_BN_CLICKED(IDC_SAVE, &CPixlookDlg::OnSave)
END_MESSAGE_MAP()

CPixlookDlg::CPixlookDlg(CWnd* parent) : CDialog(IDD, parent) {
  m_hIcon = LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME));
}

BOOL CPixlookDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetIcon(m_hIcon, TRUE);
  SetIcon(m_hIcon, FALSE);
  g_hViewerWnd = m_hWnd;
  InitSnapshotView();
  return TRUE;
}

void CPixlookDlg::ReadSnapPath() {
  char path[platform::kViewerProfileChars];
  platform::ReadProfileString(kSection, kKey, "", path, sizeof path);
  m_strSnapPath = path;
}

void CPixlookDlg::InitSnapshotView() {
  ReadSnapPath();
  m_bLoaded = m_image.Load(m_strSnapPath.c_str());
  m_strCaption = kCaption;
  SetWindowText(m_strCaption.c_str());
  ReadImageSize();
  FitWindowToImage();
}

void CPixlookDlg::ReadImageSize() {
  unsigned char start[viewer::kSizeProbeBytes];
  DWORD got = 0;
  platform::UniqueFile file(CreateFileA(m_strSnapPath.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file || !ReadFile(file.get(), start, sizeof start, &got, nullptr)) got = 0;
  viewer::ViewSize size = viewer::ImageSizeFromFileStart(start, got);
  m_nImageWidth = size.width;
  m_nImageHeight = size.height;
}

void CPixlookDlg::FitWindowToImage() {
  RECT client;
  RECT window;
  GetClientRect(&client);
  GetWindowRect(&window);
  int width = m_nImageWidth + ((window.right - window.left) - (client.right - client.left));
  int height = m_nImageHeight + ((window.bottom - window.top) - (client.bottom - client.top));
  int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  MoveWindow(x, y, width, height, TRUE);
}

LRESULT CPixlookDlg::OnSnapReload(WPARAM, LPARAM) {
  m_image.Free();
  // The resize below may paint; with the image gone there is nothing to draw.
  m_bLoaded = FALSE;
  ReadImageSize();
  FitWindowToImage();
  m_bLoaded = m_image.Load(m_strSnapPath.c_str());
  // Drawing covers the whole client area, so it needs no erase; but when
  // nothing will be drawn the previous picture must not stay on screen.
  Invalidate(m_bLoaded && m_image.IsDrawable() ? FALSE : TRUE);
  return 1;
}

LRESULT CPixlookDlg::OnSnapRereadPath(WPARAM, LPARAM) {
  ReadSnapPath();
  return 1;
}

void CPixlookDlg::OnPaint() {
  PaintContext dc(m_hWnd);
  if (IsIconic()) {
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.dc()), 0);
    int cxIcon = GetSystemMetrics(SM_CXICON);
    int cyIcon = GetSystemMetrics(SM_CYICON);
    RECT rect;
    GetClientRect(&rect);
    int x = (rect.right - rect.left - cxIcon + 1) / 2;
    int y = (rect.bottom - rect.top - cyIcon + 1) / 2;
    DrawIcon(dc.dc(), x, y, m_hIcon);
  } else if (m_bLoaded) {
    Default();
    m_image.Draw(dc.dc(), m_nImageWidth, m_nImageHeight);
  }
}

HCURSOR CPixlookDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }
