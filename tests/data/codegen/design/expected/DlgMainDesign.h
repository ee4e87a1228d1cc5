// YES -----------------------------------------------------------------
// DlgMainDesign.h
// ※ このファイルはダイアログエディタが自動的に書き換えます。
//    ファイル先頭の「YES」を消すと更新されなくなります。
//----------------------------------------------------------------------

namespace _DlgMain
{

enum
{
	OBOk,
	OBCancel,
	OBLine,
	OBStyled,
	OBRightAlignedStretch,
	OBNoFont,
	OBImageFont,
	OEName,
	OEMargin,
	OFPanel,
	OFPlain,
	OFNoImage,
	OGPics,
	OPLogo,
	OPBadge,
	OIWifi,
	OGInner,
	OMSpin,
	OMOnce,
	OMAttr,
	OGEmpty,
	OIMail,
	OCDraw,
	OCHidden,
	OGTexts,
	OTTitle,
	OTVerticalText1,
	OTSpace,
	OTBoth,
};

}
