//----------------------------------------------------------------------
// AppMyApp.cpp
//----------------------------------------------------------------------
#include "AppMyApp.h"

AppSound::AppSound()
{
}

AppSound::~AppSound()
{
}

void AppSound::Button(int act,int handleobj)
{
	switch(act){
	case KX_ACT_DOWN:
		break;
	case KX_ACT_UP:
		break;
	case KX_ACT_CLICK:
		break;
	case KX_ACT_REPEAT:
		break;
	}
}

void AppSound::Keyboard(int act,int handleobj)
{
	switch(act){
	case KX_ACT_DOWN:
		break;
	case KX_ACT_UP:
		break;
	}
}

void AppSound::Quit()
{
}

void AppSound::Open(int handledlg)
{
}

void AppSound::Close(int handledlg)
{
}

void AppSound::Wheel(int val)
{
}

void AppSound::User(int id,void* data)
{
}

AppMyApp::AppMyApp()
{
}

AppMyApp::~AppMyApp()
{
}

int AppMyApp::Initialize(int argc, char **argv)
{
	// オブジェクトの初期化を行います。必ず最初に実行してください。
	int ret = KXApplication::Initialize(argc,argv,KX_COLMODE_PALETTE);

	if( ret ){
		// ロケールを設定します。
		if (setlocale(LC_ALL, "ja_JP.UTF-8") == 0){
			printf("ロケールの設定に失敗しました.\n");
		}

		// タイマーと特殊イベントのスレッドを開始します。
		CreateThread();

		// 使用するサウンドオブジェクトを登録します。
		GetCore()->SetSoundClass(&mSound);

		// 入力を監視するデバイスのファイルディスクリプタを登録します。(複数登録可)
		// 例：シリアルポートを登録する
		// int fd = open("/dev/ttySC0",O_RDWR|O_NOCTTY|O_NDELAY)
		// AddEventFd(fd)
	}

	return ret;
}

// 登録したファイルディスクリプタが読み取り可能になると実行されます。
// id には 0(ゼロ)から始まる、登録された順番が設定されます。
void AppMyApp::ReceiveEvent(int id,int fd)
{
}

// オブジェクトの終了処理を行います。組み込みプログラムの場合、終了される事はありません。
void AppMyApp::Finish()
{
	// タイマーと特殊イベントのスレッドを停止します。
	CancelThread();

	// オブジェクトを解放します。
	Release();
}

