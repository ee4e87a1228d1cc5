// YES -----------------------------------------------------------------
// AppMyAppDesign.cpp
// ※ このファイルはダイアログエディタが自動的に書き換えます。
//    ファイル先頭の「YES」を消すと更新されなくなります。
//----------------------------------------------------------------------
#include "AppMyApp.h"

const char* AppMyApp::GetIdName(int id)
{
	switch( id ){
	case -1:              return "AppMyApp";
	case FGothic16:       return "FGothic16";
	case FVeryLongFontName: return "FVeryLongFontName";
	case IBOk:            return "IBOk";
	case IEName:          return "IEName";
	case IFPanel:         return "IFPanel";
	}
	return NULL;
}

void AppMyApp::SetImage()
{
	SetFont(FGothic16,"ipag.ttf",16,FONT_EFFECT_SHADOW,FALSE,TRUE);
	SetFont(FVeryLongFontName,"フォント.ttf",24,FONT_EFFECT_STROKE,TRUE,FALSE);

	SetImageButton(IBOk,KX_ATTR_NORMAL,FGothic16,4,KX_ALIGN_LEFT|KX_ALIGN_BOTTOM,KX_COL_WHITE,KX_COL_BLACK,"ok_normal.png");
	SetImageButton(IBOk,KX_ATTR_ACTIVE,FGothic16,4,KX_ALIGN_LEFT|KX_ALIGN_BOTTOM,KX_COL_BLACK,KX_COL_BLACK,"ok_active.png");
	SetImageButton(IBOk,KX_ATTR_DOWN,FGothic16,4,KX_ALIGN_LEFT|KX_ALIGN_BOTTOM,KX_COL_YELLOW,KX_COL_RED,"ok_push.png");

	SetImageEditbox(IEName,KX_ATTR_NORMAL,FVeryLongFontName,8,KX_ALIGN_RIGHT|KX_ALIGN_TOP,KX_COL_BLACK,KX_COL_SILVER,"edit_normal.png");
	SetImageEditbox(IEName,KX_ATTR_FOCUS,FVeryLongFontName,8,KX_ALIGN_RIGHT|KX_ALIGN_TOP,KX_COL_BLUE,KX_COL_SILVER,"edit_focus.png");

	SetImageFrame(IFPanel,KX_ATTR_TOP,FGothic16,10,KX_ALIGN_CENTER|KX_ALIGN_MIDDLE,KX_COL_RED,KX_COL_BLACK,"panel_top.png");
	SetImageFrame(IFPanel,KX_ATTR_MIDDLE,FGothic16,10,KX_ALIGN_CENTER|KX_ALIGN_MIDDLE,KX_COL_RED,KX_COL_BLACK,"");
	SetImageFrame(IFPanel,KX_ATTR_BOTTOM,FGothic16,10,KX_ALIGN_CENTER|KX_ALIGN_MIDDLE,KX_COL_RED,KX_COL_BLACK,"panel_bottom.png");
};
