// YES -----------------------------------------------------------------
// DlgMainDesign.cpp
// ※ このファイルはダイアログエディタが自動的に書き換えます。
//    ファイル先頭の「YES」を消すと更新されなくなります。
//----------------------------------------------------------------------
#include "DlgMain.h"


namespace _DlgMain
{

const char* DlgMain::GetIdName(int id)
{
	switch( id ){
	case -1:              return "DlgMain";
	case OBOk:            return "OBOk";
	case OBCancel:        return "OBCancel";
	case OBLine:          return "OBLine";
	case OBStyled:        return "OBStyled";
	case OBRightAlignedStretch: return "OBRightAlignedStretch";
	case OBNoFont:        return "OBNoFont";
	case OBImageFont:     return "OBImageFont";
	case OEName:          return "OEName";
	case OEMargin:        return "OEMargin";
	case OFPanel:         return "OFPanel";
	case OFPlain:         return "OFPlain";
	case OFNoImage:       return "OFNoImage";
	case OGPics:          return "OGPics";
	case OPLogo:          return "OPLogo";
	case OPBadge:         return "OPBadge";
	case OIWifi:          return "OIWifi";
	case OGInner:         return "OGInner";
	case OMSpin:          return "OMSpin";
	case OMOnce:          return "OMOnce";
	case OMAttr:          return "OMAttr";
	case OGEmpty:         return "OGEmpty";
	case OIMail:          return "OIMail";
	case OCDraw:          return "OCDraw";
	case OCHidden:        return "OCHidden";
	case OGTexts:         return "OGTexts";
	case OTTitle:         return "OTTitle";
	case OTVerticalText1: return "OTVerticalText1";
	case OTSpace:         return "OTSpace";
	case OTBoth:          return "OTBoth";
	}
	return NULL;
}

void DlgMain::SetImage()
{
	KXObject* obj;
	SetSize(480,272);
	SetColorBG(RGB(0x10,0x20,0x30));

	KXGroupObject* pGroup1;
	KXGroupObject* pGroup2;
	KXGroupObject* pGroup3;
	KXGroupObject* pGroup4;

	pGroup1 = Group();
	obj = pGroup1->AddButton(this,OBOk,_("OK"),10,200,100,IBBlue);
	obj = pGroup1->AddButton(this,OBCancel,_("キャンセル"),120,200,100,IBBlue,KX_ATTR_DISABLE);
	obj->SetEnableRepeat(TRUE);
	obj->SetPushClickEnable(TRUE);
	obj->SetPushClickTime(500);
	obj = pGroup1->AddButton(this,OBLine,"",230,200,80,IBBlue,KX_ATTR_NORMAL,FGothic16,KX_ALIGN_CENTER|KX_ALIGN_MIDDLE,6,0,12);
	obj->SetClickable(FALSE);
	obj = pGroup1->AddButton(this,OBStyled,"Small",320,200,70,IBBlue,KX_ATTR_NORMAL,fontSmall,KX_ALIGN_CENTER|KX_ALIGN_MIDDLE,6,0);
	obj = pGroup1->AddButton(this,OBRightAlignedStretch,_("右"),400,200,70,IBBlue,KX_ATTR_ACTIVE,FGothic16,KX_ALIGN_RIGHT|KX_ALIGN_MIDDLE|KX_ALIGN_STRETCH,6,0,14);
	obj = pGroup1->AddButton(this,OBNoFont,"Y",10,240,60,IBBlue,KX_ATTR_NORMAL,FGothic16,KX_ALIGN_CENTER|KX_ALIGN_MIDDLE,6,3);
	obj = pGroup1->AddButton(this,OBImageFont,"Z",80,240,60,IBBlue);
	obj = pGroup1->AddEditbox(this,OEName,"名前",10,10,200,IEInput);
	obj->SetEnableRepeat(TRUE);
	obj->SetClickable(FALSE);
	obj = pGroup1->AddEditbox(this,OEMargin,"",10,40,200,IEInput,KX_ATTR_FOCUS,fontSmall,KX_ALIGN_LEFT|KX_ALIGN_MIDDLE,4,0);
	obj = pGroup1->AddFrame(this,OFPanel,_("表示設定"),220,10,250,80,IFPanel,KX_ATTR_NORMAL,FGothic16,KX_ALIGN_LEFT|KX_ALIGN_TOP,10,8);
	obj->SetClickable(TRUE);
	obj = pGroup1->AddFrame(this,OFPlain,_("Say "Hello""),220,100,250,60,IFPanel);
	obj = pGroup1->AddFrame(this,OFNoImage,"x",220,170,100,20,IFMissing,KX_ATTR_DISABLE);
	pGroup2 = pGroup1->AddGroup(this,OGPics,20,60);
	obj = pGroup2->AddPicture(this,OPLogo,0,0,64,32,"logo.png");
	obj = pGroup2->AddPicture(this,OPBadge,70,0,16,16,"badge.png",KX_ATTR_HIDE);
	obj->SetClickable(TRUE);
	obj = pGroup2->AddIcon(this,OIWifi,90,0,32,32,"wifi.png");
	obj->SetClickable(TRUE);
	pGroup3 = pGroup2->AddGroup(this,OGInner,25,100,KX_ATTR_DISABLE);
	pGroup3->SetRadioButton(TRUE);
	obj = pGroup3->AddMovie(this,OMSpin,0,0,"spin.gif",KX_ATTR_NORMAL,TRUE);
	obj = pGroup3->AddMovie(this,OMOnce,40,0,"once.gif");
	obj->SetClickable(TRUE);
	obj = pGroup3->AddMovie(this,OMAttr,80,0,"down.gif",KX_ATTR_DOWN);
	pGroup4 = pGroup3->AddGroup(this,OGEmpty,27,103);
	obj = pGroup2->AddIcon(this,OIMail,130,0,32,32,"mail.png",KX_ATTR_ACTDOWN);
	obj = pGroup1->AddCanvas(this,OCDraw,10,120,100,50);
	obj->SetClickable(TRUE);
	obj = pGroup1->AddCanvas(this,OCHidden,120,120,10,10,KX_ATTR_HIDE);
	pGroup2 = pGroup1->AddGroup(this,OGTexts,300,150);
	pGroup2->SetRadioButton(TRUE);
	obj = pGroup2->AddText(this,OTTitle,_("設定画面"),0,0,160,24,FGothic16,KX_ATTR_NORMAL,KX_COL_WHITE,KX_COL_BLACK,KX_ALIGN_LEFT|KX_ALIGN_TOP,2,1);
	obj = pGroup2->AddText(this,OTVerticalText1,"縦書き",0,30,24,80,fontSmall,KX_ATTR_NORMAL,KX_COL_RED,KX_COL_GRAY,KX_ALIGN_CENTER|KX_ALIGN_MIDDLE|KX_ALIGN_NOCLIP,0,0,10,TRUE);
	obj->SetClickable(TRUE);
	obj = pGroup2->AddText(this,OTSpace,"He said "ｿﾌﾄ表"",30,30,120,40,FGothic16,KX_ATTR_NORMAL,KX_COL_BLACK,KX_COL_WHITE,KX_ALIGN_RIGHT|KX_ALIGN_BOTTOM|KX_ALIGN_XSTRETCH,0,0,4);
	obj = pGroup2->AddText(this,OTBoth,"",30,80,120,40,FGothic16,KX_ATTR_DISABLE,KX_COL_BLUE,KX_COL_SILVER,KX_ALIGN_CENTER|KX_ALIGN_TOP|KX_ALIGN_YSTRETCH,1,2,16,TRUE);
};
}
