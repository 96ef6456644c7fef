// PortalAssets: the portal's stylesheet and its one script (search as you
// type, the progress bar of a batch), served as files so that the pages need
// no inline script or style. Constant texts.
#ifndef TARNEL_PORTAL_PORTALASSETS_H_
#define TARNEL_PORTAL_PORTALASSETS_H_

class PortalAssets {
 public:
  static const char kStylesheet[];
  static const char kScript[];
};

#endif  // TARNEL_PORTAL_PORTALASSETS_H_
