// The viewer window: a modal dialog showing the snapshot named in the
// user's profile, its client area the size of the image, centred.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "framework/dialog.h"
#include "viewer/resource.h"
#include "viewer/snap_image.h"
#include "viewer/snap_messages.h"

// The viewer dialog's window, once it has initialised: the Save As owner.
extern HWND g_hViewerWnd;

class CPixlookDlg : public CDialog {
 public:
  explicit CPixlookDlg(CWnd* parent = nullptr);
  enum { IDD = IDD_PIXLOOK_DIALOG };

 protected:
  BOOL OnInitDialog() override;

  void OnPaint();
  HCURSOR OnQueryDragIcon();
  LRESULT OnSnapReload(WPARAM, LPARAM);
  LRESULT OnSnapRereadPath(WPARAM, LPARAM);
  void OnSave();

  void InitSnapshotView();
  void ReadSnapPath();
  void ReadImageSize();
  void FitWindowToImage();

  HICON m_hIcon;
  std::int32_t m_nImageWidth = 0;
  std::int32_t m_nImageHeight = 0;
  std::string m_strSnapPath;
  std::string m_strCaption;
  CSnapImage m_image;
  BOOL m_bLoaded = FALSE;

  DECLARE_MESSAGE_MAP()
};
