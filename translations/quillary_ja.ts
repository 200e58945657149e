<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>Quillary::Core</name>
    <message>
        <source>All Contacts</source>
        <translation>すべての連絡先</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>名称未設定</translation>
    </message>
    <message>
        <source>Please make sure the file is a valid CSV file, or text encoding.</source>
        <translation>ファイルが正しい CSV ファイルか、文字コードが正しいかを確認してください。</translation>
    </message>
    <message>
        <source>Something error happened in saving operation.</source>
        <translation>保存中にエラーが発生しました。</translation>
    </message>
    <message>
        <source>Can&apos;t save the file</source>
        <translation>ファイルを保存できません</translation>
    </message>
    <message>
        <source>Something error happned in saving operation. %1</source>
        <translation>保存中にエラーが発生しました。%1</translation>
    </message>
    <message>
        <source>Reading: %1</source>
        <translation>読み込み中: %1</translation>
    </message>
    <message>
        <source>The document has no file.</source>
        <translation>この書類にはファイルがありません。</translation>
    </message>
    <message>
        <source>Writing the file: %1</source>
        <translation>ファイルを書き出し中: %1</translation>
    </message>
    <message>
        <source>Please make sure the file is vCard 2.1/3.0 file.</source>
        <translation>ファイルが vCard 2.1/3.0 のファイルかを確認してください。</translation>
    </message>
    <message>
        <source>Please make sure the file is vCard 2.1/3.0 file, or text encoding.</source>
        <translation>ファイルが vCard 2.1/3.0 のファイルか、文字コードが正しいかを確認してください。</translation>
    </message>
    <message>
        <source>The file “%1” couldn&apos;t be opened: %2</source>
        <translation>ファイル“%1”を開けませんでした: %2</translation>
    </message>
    <message>
        <source>The file “%1” couldn&apos;t be read: %2</source>
        <translation>ファイル“%1”を読み込めませんでした: %2</translation>
    </message>
    <message>
        <source>The file is not valid %1 text: invalid bytes at offset %2.</source>
        <translation>ファイルは正しい %1 のテキストではありません: オフセット %2 に不正なバイトがあります。</translation>
    </message>
    <message>
        <source>Hide Groups</source>
        <translation>グループを隠す</translation>
    </message>
    <message>
        <source>Show Groups</source>
        <translation>グループを表示</translation>
    </message>
    <message>
        <source>Add Group</source>
        <translation>グループを追加</translation>
    </message>
    <message>
        <source>Delete Group</source>
        <translation>グループを削除</translation>
    </message>
    <message>
        <source>Find and Replace…</source>
        <translation>検索と置換…</translation>
    </message>
    <message>
        <source>Change %1</source>
        <translation>%1を変更</translation>
    </message>
    <message>
        <source>Add Contacts</source>
        <translation>連絡先を追加</translation>
    </message>
    <message>
        <source>Delete Contacts</source>
        <translation>連絡先を削除</translation>
    </message>
    <message>
        <source>Merge Contacts</source>
        <translation>連絡先を結合</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>完了</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>追加</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>変更</translation>
    </message>
    <message>
        <source>Default (%1)</source>
        <translation>デフォルト(%1)</translation>
    </message>
    <message>
        <source>Custom…</source>
        <translation>カスタム…</translation>
    </message>
    <message>
        <source>The image cannot be read: %1</source>
        <translation>画像を読み込めません: %1</translation>
    </message>
    <message>
        <source>The file cannot be read: %1</source>
        <translation>ファイルを読み込めません: %1</translation>
    </message>
    <message>
        <source>The file is too large for a photo.</source>
        <translation>写真にするにはファイルが大きすぎます。</translation>
    </message>
    <message>
        <source>Can&apos;t find header line in the file.</source>
        <translation>ファイルに見出し行が見つかりません。</translation>
    </message>
    <message>
        <source>Read as the following order: Name, Phone, Email, ZIP, State, City, Street</source>
        <translation>次の順に読み込みます: 名前、電話、メール、郵便番号、都道府県、市区町村、番地</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>自動</translation>
    </message>
    <message>
        <source>Customize Encoding List…</source>
        <translation>文字コードの一覧をカスタマイズ…</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>種類</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>値</translation>
    </message>
    <message>
        <source>The text encoding “%1” is not available.</source>
        <translation>文字コード“%1”は使用できません。</translation>
    </message>
    <message>
        <source>Unicode (UTF-8)</source>
        <translation>Unicode (UTF-8)</translation>
    </message>
    <message>
        <source>Unicode (UTF-16)</source>
        <translation>Unicode (UTF-16)</translation>
    </message>
    <message>
        <source>Unicode (UTF-16BE)</source>
        <translation>Unicode (UTF-16BE)</translation>
    </message>
    <message>
        <source>Unicode (UTF-16LE)</source>
        <translation>Unicode (UTF-16LE)</translation>
    </message>
    <message>
        <source>Unicode (UTF-32)</source>
        <translation>Unicode (UTF-32)</translation>
    </message>
    <message>
        <source>Unicode (UTF-32BE)</source>
        <translation>Unicode (UTF-32BE)</translation>
    </message>
    <message>
        <source>Unicode (UTF-32LE)</source>
        <translation>Unicode (UTF-32LE)</translation>
    </message>
    <message>
        <source>Unicode (UTF-7)</source>
        <translation>Unicode (UTF-7)</translation>
    </message>
    <message>
        <source>Western (ASCII)</source>
        <translation>欧米 (ASCII)</translation>
    </message>
    <message>
        <source>Western (ISO Latin 1)</source>
        <translation>欧米 (ISO Latin 1)</translation>
    </message>
    <message>
        <source>Western (Windows Latin 1)</source>
        <translation>欧米 (Windows Latin 1)</translation>
    </message>
    <message>
        <source>Western (Mac OS Roman)</source>
        <translation>欧米 (Mac OS Roman)</translation>
    </message>
    <message>
        <source>Western (ISO Latin 9)</source>
        <translation>欧米 (ISO Latin 9)</translation>
    </message>
    <message>
        <source>Western (ISO Latin 3)</source>
        <translation>欧米 (ISO Latin 3)</translation>
    </message>
    <message>
        <source>Western (DOS Latin 1)</source>
        <translation>欧米 (DOS Latin 1)</translation>
    </message>
    <message>
        <source>Western (EBCDIC Latin 1)</source>
        <translation>欧米 (EBCDIC Latin 1)</translation>
    </message>
    <message>
        <source>Latin-US (DOS)</source>
        <translation>ラテン US (DOS)</translation>
    </message>
    <message>
        <source>Central European (ISO Latin 2)</source>
        <translation>中欧 (ISO Latin 2)</translation>
    </message>
    <message>
        <source>Central European (ISO Latin 4)</source>
        <translation>中欧 (ISO Latin 4)</translation>
    </message>
    <message>
        <source>Central European (Windows Latin 2)</source>
        <translation>中欧 (Windows Latin 2)</translation>
    </message>
    <message>
        <source>Central European (Mac OS)</source>
        <translation>中欧 (Mac OS)</translation>
    </message>
    <message>
        <source>Central European (DOS Latin 2)</source>
        <translation>中欧 (DOS Latin 2)</translation>
    </message>
    <message>
        <source>Baltic (ISO Latin 7)</source>
        <translation>バルト (ISO Latin 7)</translation>
    </message>
    <message>
        <source>Baltic (Windows)</source>
        <translation>バルト (Windows)</translation>
    </message>
    <message>
        <source>Baltic (DOS)</source>
        <translation>バルト (DOS)</translation>
    </message>
    <message>
        <source>Nordic (ISO Latin 6)</source>
        <translation>北欧 (ISO Latin 6)</translation>
    </message>
    <message>
        <source>Nordic (DOS)</source>
        <translation>北欧 (DOS)</translation>
    </message>
    <message>
        <source>Celtic (ISO Latin 8)</source>
        <translation>ケルト (ISO Latin 8)</translation>
    </message>
    <message>
        <source>Romanian (ISO Latin 10)</source>
        <translation>ルーマニア語 (ISO Latin 10)</translation>
    </message>
    <message>
        <source>Icelandic (DOS)</source>
        <translation>アイスランド語 (DOS)</translation>
    </message>
    <message>
        <source>Portuguese (DOS)</source>
        <translation>ポルトガル語 (DOS)</translation>
    </message>
    <message>
        <source>Canadian French (DOS)</source>
        <translation>カナダ・フランス語 (DOS)</translation>
    </message>
    <message>
        <source>Turkish (ISO Latin 5)</source>
        <translation>トルコ語 (ISO Latin 5)</translation>
    </message>
    <message>
        <source>Turkish (Windows Latin 5)</source>
        <translation>トルコ語 (Windows Latin 5)</translation>
    </message>
    <message>
        <source>Turkish (Mac OS)</source>
        <translation>トルコ語 (Mac OS)</translation>
    </message>
    <message>
        <source>Turkish (DOS)</source>
        <translation>トルコ語 (DOS)</translation>
    </message>
    <message>
        <source>Cyrillic (ISO 8859-5)</source>
        <translation>キリル (ISO 8859-5)</translation>
    </message>
    <message>
        <source>Cyrillic (Windows)</source>
        <translation>キリル (Windows)</translation>
    </message>
    <message>
        <source>Cyrillic (KOI8-R)</source>
        <translation>キリル (KOI8-R)</translation>
    </message>
    <message>
        <source>Cyrillic (Mac OS)</source>
        <translation>キリル (Mac OS)</translation>
    </message>
    <message>
        <source>Cyrillic (DOS)</source>
        <translation>キリル (DOS)</translation>
    </message>
    <message>
        <source>Russian (DOS)</source>
        <translation>ロシア語 (DOS)</translation>
    </message>
    <message>
        <source>Ukrainian (KOI8-U)</source>
        <translation>ウクライナ語 (KOI8-U)</translation>
    </message>
    <message>
        <source>Greek (ISO 8859-7)</source>
        <translation>ギリシャ語 (ISO 8859-7)</translation>
    </message>
    <message>
        <source>Greek (Windows)</source>
        <translation>ギリシャ語 (Windows)</translation>
    </message>
    <message>
        <source>Greek (Mac OS)</source>
        <translation>ギリシャ語 (Mac OS)</translation>
    </message>
    <message>
        <source>Greek (DOS)</source>
        <translation>ギリシャ語 (DOS)</translation>
    </message>
    <message>
        <source>Greek (DOS Greek 1)</source>
        <translation>ギリシャ語 (DOS Greek 1)</translation>
    </message>
    <message>
        <source>Greek (DOS Greek 2)</source>
        <translation>ギリシャ語 (DOS Greek 2)</translation>
    </message>
    <message>
        <source>Hebrew (ISO 8859-8)</source>
        <translation>ヘブライ語 (ISO 8859-8)</translation>
    </message>
    <message>
        <source>Hebrew (Windows)</source>
        <translation>ヘブライ語 (Windows)</translation>
    </message>
    <message>
        <source>Hebrew (DOS)</source>
        <translation>ヘブライ語 (DOS)</translation>
    </message>
    <message>
        <source>Arabic (ISO 8859-6)</source>
        <translation>アラビア語 (ISO 8859-6)</translation>
    </message>
    <message>
        <source>Arabic (Windows)</source>
        <translation>アラビア語 (Windows)</translation>
    </message>
    <message>
        <source>Arabic (DOS)</source>
        <translation>アラビア語 (DOS)</translation>
    </message>
    <message>
        <source>Thai (ISO 8859-11)</source>
        <translation>タイ語 (ISO 8859-11)</translation>
    </message>
    <message>
        <source>Thai (Windows, DOS)</source>
        <translation>タイ語 (Windows, DOS)</translation>
    </message>
    <message>
        <source>Vietnamese (Windows)</source>
        <translation>ベトナム語 (Windows)</translation>
    </message>
    <message>
        <source>Japanese (Shift JIS)</source>
        <translation>日本語 (Shift JIS)</translation>
    </message>
    <message>
        <source>Japanese (EUC)</source>
        <translation>日本語 (EUC)</translation>
    </message>
    <message>
        <source>Japanese (ISO 2022-JP)</source>
        <translation>日本語 (ISO 2022-JP)</translation>
    </message>
    <message>
        <source>Japanese (ISO 2022-JP-1)</source>
        <translation>日本語 (ISO 2022-JP-1)</translation>
    </message>
    <message>
        <source>Japanese (ISO 2022-JP-2)</source>
        <translation>日本語 (ISO 2022-JP-2)</translation>
    </message>
    <message>
        <source>Chinese (GB 18030)</source>
        <translation>中国語 (GB 18030)</translation>
    </message>
    <message>
        <source>Chinese (ISO 2022-CN)</source>
        <translation>中国語 (ISO 2022-CN)</translation>
    </message>
    <message>
        <source>Simplified Chinese (GB 2312)</source>
        <translation>簡体字中国語 (GB 2312)</translation>
    </message>
    <message>
        <source>Simplified Chinese (Windows, DOS)</source>
        <translation>簡体字中国語 (Windows, DOS)</translation>
    </message>
    <message>
        <source>Simplified Chinese (HZ GB 2312)</source>
        <translation>簡体字中国語 (HZ GB 2312)</translation>
    </message>
    <message>
        <source>Traditional Chinese (Big 5)</source>
        <translation>繁体字中国語 (Big 5)</translation>
    </message>
    <message>
        <source>Traditional Chinese (Big 5 HKSCS)</source>
        <translation>繁体字中国語 (Big 5 HKSCS)</translation>
    </message>
    <message>
        <source>Traditional Chinese (EUC)</source>
        <translation>繁体字中国語 (EUC)</translation>
    </message>
    <message>
        <source>Korean (EUC)</source>
        <translation>韓国語 (EUC)</translation>
    </message>
    <message>
        <source>Korean (Windows, DOS)</source>
        <translation>韓国語 (Windows, DOS)</translation>
    </message>
    <message>
        <source>Korean (ISO 2022-KR)</source>
        <translation>韓国語 (ISO 2022-KR)</translation>
    </message>
    <message>
        <source>No text encoding has the number %1.</source>
        <translation>番号 %1 の文字コードはありません。</translation>
    </message>
    <message>
        <source>Unknown text encoding “%1”.</source>
        <translation>不明な文字コード“%1”です。</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>Company</source>
        <translation>会社</translation>
    </message>
    <message>
        <source>Department</source>
        <translation>部署</translation>
    </message>
    <message>
        <source>Job Title</source>
        <translation>役職</translation>
    </message>
    <message>
        <source>Nickname</source>
        <translation>ニックネーム</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>敬称(前)</translation>
    </message>
    <message>
        <source>Suffix</source>
        <translation>敬称(後)</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>メモ</translation>
    </message>
    <message>
        <source>Phone</source>
        <translation>電話</translation>
    </message>
    <message>
        <source>Email</source>
        <translation>メール</translation>
    </message>
    <message>
        <source>URL</source>
        <translation>URL</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>住所</translation>
    </message>
    <message>
        <source>Relationship</source>
        <translation>関係</translation>
    </message>
    <message>
        <source>Social Network</source>
        <translation>SNS</translation>
    </message>
    <message>
        <source>Instant Message</source>
        <translation>インスタントメッセージ</translation>
    </message>
    <message>
        <source>Dates</source>
        <translation>日付</translation>
    </message>
    <message>
        <source>Birthday</source>
        <translation>誕生日</translation>
    </message>
    <message>
        <source>Phonetic Name</source>
        <translation>フリガナ</translation>
    </message>
    <message>
        <source>Photo</source>
        <translation>写真</translation>
    </message>
    <message>
        <source>ZIP</source>
        <translation>郵便番号</translation>
    </message>
    <message>
        <source>State</source>
        <translation>都道府県</translation>
    </message>
    <message>
        <source>City</source>
        <translation>市区町村</translation>
    </message>
    <message>
        <source>Street</source>
        <translation>番地</translation>
    </message>
    <message>
        <source>Country</source>
        <translation>国</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>標準</translation>
    </message>
    <message>
        <source>Address Detail</source>
        <translation>住所の詳細</translation>
    </message>
    <message>
        <source>Personal Information</source>
        <translation>個人情報</translation>
    </message>
    <message>
        <source>Business Information</source>
        <translation>勤務先情報</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>その他</translation>
    </message>
    <message>
        <source>Labeled Values</source>
        <translation>ラベル付きの値</translation>
    </message>
    <message>
        <source>Non-labeled Values</source>
        <translation>ラベルなしの値</translation>
    </message>
    <message>
        <source>compositeName</source>
        <translation>表示名</translation>
    </message>
    <message>
        <source>FirstName</source>
        <translation>名</translation>
    </message>
    <message>
        <source>LastName</source>
        <translation>姓</translation>
    </message>
    <message>
        <source>Phone label</source>
        <translation>電話のラベル</translation>
    </message>
    <message>
        <source>Email label</source>
        <translation>メールのラベル</translation>
    </message>
    <message>
        <source>Email domain</source>
        <translation>メールのドメイン</translation>
    </message>
    <message>
        <source>Email username</source>
        <translation>メールのユーザ名</translation>
    </message>
    <message>
        <source>Address label</source>
        <translation>住所のラベル</translation>
    </message>
    <message>
        <source>URL label</source>
        <translation>URL のラベル</translation>
    </message>
    <message>
        <source>Instant Message label</source>
        <translation>インスタントメッセージのラベル</translation>
    </message>
    <message>
        <source>Instant Message service name</source>
        <translation>インスタントメッセージのサービス名</translation>
    </message>
    <message>
        <source>Instant Message username</source>
        <translation>インスタントメッセージのユーザ名</translation>
    </message>
    <message>
        <source>Social Network label</source>
        <translation>SNS のラベル</translation>
    </message>
    <message>
        <source>Social Network service name</source>
        <translation>SNS のサービス名</translation>
    </message>
    <message>
        <source>Social Network username</source>
        <translation>SNS のユーザ名</translation>
    </message>
    <message>
        <source>Relationship label</source>
        <translation>関係のラベル</translation>
    </message>
    <message>
        <source>Dates label</source>
        <translation>日付のラベル</translation>
    </message>
    <message>
        <source>Phonetic FirstName</source>
        <translation>フリガナ(名)</translation>
    </message>
    <message>
        <source>Phonetic LastName</source>
        <translation>フリガナ(姓)</translation>
    </message>
    <message>
        <source>Add/Delete...</source>
        <translation>追加/削除...</translation>
    </message>
    <message>
        <source>Address List</source>
        <translation>住所録</translation>
    </message>
    <message>
        <source>Mailing Labels</source>
        <translation>宛名ラベル</translation>
    </message>
    <message>
        <source>Envelope</source>
        <translation>封筒</translation>
    </message>
    <message>
        <source>Hagaki</source>
        <translation>はがき</translation>
    </message>
    <message>
        <source>No name</source>
        <translation>名前なし</translation>
    </message>
    <message>
        <source>Do you want to set the same value in the selected rows?</source>
        <translation>選択した行に同じ値を設定しますか？</translation>
    </message>
    <message>
        <source>Do you want to set the same label in the selected rows?</source>
        <translation>選択した行に同じラベルを設定しますか？</translation>
    </message>
    <message>
        <source>Do you want to delete the item(label and text) in the selected cells in column:%1 ?</source>
        <translation>列「%1」の選択したセルの項目(ラベルとテキスト)を削除しますか？</translation>
    </message>
    <message>
        <source>This operation can be undone.</source>
        <translation>この操作は取り消せます。</translation>
    </message>
    <message>
        <source>Delete Item</source>
        <translation>項目を削除</translation>
    </message>
    <message>
        <source>Add Item</source>
        <translation>項目を追加</translation>
    </message>
    <message>
        <source>Can&apos;t drag the contact.</source>
        <translation>連絡先をドラッグできません。</translation>
    </message>
    <message>
        <source>Please select a group which is one of the default account before dragging a contact</source>
        <translation>連絡先をドラッグする前に、デフォルトのアカウントに属するグループを選択してください</translation>
    </message>
    <message>
        <source>Do you want to remove the contact?</source>
        <translation>連絡先を削除しますか？</translation>
    </message>
    <message>
        <source>Do you want to remove multiple contacts?</source>
        <translation>複数の連絡先を削除しますか？</translation>
    </message>
    <message>
        <source>This operation can&apos;t be undone.</source>
        <translation>この操作は取り消せません。</translation>
    </message>
    <message>
        <source>multiple contacts are selected</source>
        <translation>複数の連絡先が選択されています</translation>
    </message>
    <message>
        <source>Phone Format</source>
        <translation>電話番号の書式</translation>
    </message>
    <message>
        <source>Please check the Default Account</source>
        <translation>デフォルトのアカウントを確認してください</translation>
    </message>
    <message>
        <source>Show Contact Info</source>
        <translation>連絡先の情報を表示</translation>
    </message>
    <message>
        <source>Delete Contact</source>
        <translation>連絡先を削除</translation>
    </message>
    <message>
        <source>Duplicate Contact</source>
        <translation>連絡先を複製</translation>
    </message>
    <message>
        <source>Export Contact as vCard</source>
        <translation>連絡先を vCard として書き出す</translation>
    </message>
    <message>
        <source>Show QRCode</source>
        <translation>QR コードを表示</translation>
    </message>
    <message>
        <source>Show Company in Name Cell</source>
        <translation>名前のセルに会社名を表示</translation>
    </message>
    <message>
        <source>Show Name in all rows</source>
        <translation>すべての行に名前を表示</translation>
    </message>
    <message>
        <source>Call Phone</source>
        <translation>電話をかける</translation>
    </message>
    <message>
        <source>Send Email</source>
        <translation>メールを送信</translation>
    </message>
    <message>
        <source>Open URL</source>
        <translation>URL を開く</translation>
    </message>
    <message>
        <source>Open Map</source>
        <translation>地図を開く</translation>
    </message>
    <message>
        <source>Open Google Map</source>
        <translation>Google マップを開く</translation>
    </message>
    <message>
        <source>Open Calendar</source>
        <translation>カレンダーを開く</translation>
    </message>
    <message>
        <source>Open Edit Panel</source>
        <translation>編集パネルを開く</translation>
    </message>
    <message>
        <source>Open Address Panel</source>
        <translation>住所パネルを開く</translation>
    </message>
    <message>
        <source>Open IMS Panel</source>
        <translation>インスタントメッセージのパネルを開く</translation>
    </message>
    <message>
        <source>Open Dates Panel</source>
        <translation>日付パネルを開く</translation>
    </message>
    <message>
        <source>Open Birthday Panel</source>
        <translation>誕生日パネルを開く</translation>
    </message>
    <message>
        <source>Add/Delete Address Item</source>
        <translation>住所の項目を追加/削除</translation>
    </message>
    <message>
        <source>Replace Label and Text</source>
        <translation>ラベルとテキストを置き換える</translation>
    </message>
    <message>
        <source>Replace Text</source>
        <translation>テキストを置き換える</translation>
    </message>
    <message>
        <source>Clear Text</source>
        <translation>テキストを消去</translation>
    </message>
    <message>
        <source>Prepend Text</source>
        <translation>テキストを前に追加</translation>
    </message>
    <message>
        <source>Append Text</source>
        <translation>テキストを後ろに追加</translation>
    </message>
    <message>
        <source>Insert Label and Text</source>
        <translation>ラベルとテキストを挿入</translation>
    </message>
    <message>
        <source>In order to insert the label and text of %1</source>
        <translation>%1のラベルとテキストを挿入するには</translation>
    </message>
    <message>
        <source>In order to replace the label and text of %1</source>
        <translation>%1のラベルとテキストを置き換えるには</translation>
    </message>
    <message>
        <source>In order to replace the text of %1</source>
        <translation>%1のテキストを置き換えるには</translation>
    </message>
    <message>
        <source>In order to prepend the text of %1</source>
        <translation>%1のテキストの前に追加するには</translation>
    </message>
    <message>
        <source>In order to append the text of %1</source>
        <translation>%1のテキストの後ろに追加するには</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>挿入</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>置換</translation>
    </message>
    <message>
        <source>Prepend</source>
        <translation>前に追加</translation>
    </message>
    <message>
        <source>Append</source>
        <translation>後ろに追加</translation>
    </message>
    <message>
        <source>Columns</source>
        <translation>列</translation>
    </message>
    <message>
        <source>%1: total %2 contacts</source>
        <translation>%1: 合計 %2 件の連絡先</translation>
    </message>
    <message>
        <source>Not found</source>
        <translation>見つかりません</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 / %2</translation>
    </message>
    <message>
        <source>%1 matches</source>
        <translation>%1 件一致</translation>
    </message>
    <message>
        <source>Replace All</source>
        <translation>すべて置換</translation>
    </message>
    <message>
        <source>FistName</source>
        <translation>名</translation>
    </message>
    <message>
        <source>MiddleName</source>
        <translation>ミドルネーム</translation>
    </message>
    <message>
        <source>Copy %1</source>
        <translation>%1をコピー</translation>
    </message>
    <message>
        <source>Move %1</source>
        <translation>%1を移動</translation>
    </message>
    <message>
        <source>Name Ordering System Default (First Name)</source>
        <translation>名前の順序: システムのデフォルト(名が先)</translation>
    </message>
    <message>
        <source>Name Ordering System Default (Last Name)</source>
        <translation>名前の順序: システムのデフォルト(姓が先)</translation>
    </message>
    <message>
        <source>pattern too complex</source>
        <translation>パターンが複雑すぎます</translation>
    </message>
    <message>
        <source>The file “%1” couldn&apos;t be read: it holds more than %2 bytes.</source>
        <translation>ファイル“%1”を読み込めませんでした: %2 バイトを超えています。</translation>
    </message>
    <message>
        <source>no vCard in the file</source>
        <translation>ファイルに vCard がありません</translation>
    </message>
    <message numerus="yes">
        <source>%n cards in one file</source>
        <translation>
            <numerusform>1 つのファイルに %n 件のカード</numerusform>
        </translation>
    </message>
    <message>
        <source>no contact could be read from the card</source>
        <translation>カードから連絡先を読み込めませんでした</translation>
    </message>
    <message>
        <source>The file is UTF-8 text with bytes that are not UTF-8.</source>
        <translation>ファイルは UTF-8 のテキストですが、UTF-8 ではないバイトを含んでいます。</translation>
    </message>
    <message numerus="yes">
        <source>%n byte(s) were read as Western (Windows Latin 1). Please check the contacts with accented letters before the file is saved.</source>
        <translation>
            <numerusform>%n バイトを欧米 (Windows Latin 1) として読み込みました。ファイルを保存する前に、アクセント付きの文字がある連絡先を確認してください。</numerusform>
        </translation>
    </message>
    <message>
        <source>The file could not be written.</source>
        <translation>ファイルを書き込めませんでした。</translation>
    </message>
</context>
<context>
    <name>Quillary::Ui</name>
    <message>
        <source>Edit contacts in vCard and CSV files.</source>
        <translation>vCard と CSV ファイルの連絡先を編集します。</translation>
    </message>
    <message>
        <source>vCard or CSV files to open.</source>
        <translation>開く vCard または CSV ファイル。</translation>
    </message>
    <message>
        <source>Would you like to restore default preferences?</source>
        <translation>設定をデフォルトに戻しますか？</translation>
    </message>
    <message>
        <source>Edit or lock</source>
        <translation>編集またはロック</translation>
    </message>
    <message>
        <source>Lock</source>
        <translation>ロック</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>編集</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message numerus="yes">
        <source>%n contact(s)</source>
        <translation>
            <numerusform>%n 件の連絡先</numerusform>
        </translation>
    </message>
    <message>
        <source>Images (%1)</source>
        <translation>画像 (%1)</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>取り消す</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>やり直す</translation>
    </message>
    <message>
        <source>About Quillary</source>
        <translation>Quillary について</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Quillary %1&lt;/h3&gt;&lt;p&gt;A contacts editor for vCard and CSV files: every phone number, e-mail address and address of a contact in a row of its own.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Quillary %1&lt;/h3&gt;&lt;p&gt;vCard と CSV ファイルの連絡先エディタ。連絡先の電話番号、メールアドレス、住所をそれぞれ独立した行に表示します。&lt;/p&gt;</translation>
    </message>
    <message>
        <source>All</source>
        <translation>すべて</translation>
    </message>
    <message>
        <source>Default Account</source>
        <translation>デフォルトのアカウント</translation>
    </message>
    <message>
        <source>Default account</source>
        <translation>デフォルトのアカウント</translation>
    </message>
    <message>
        <source>New contacts and groups go to:</source>
        <translation>新しい連絡先とグループの追加先:</translation>
    </message>
    <message>
        <source>New Smart Group</source>
        <translation>新規スマートグループ</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>項目</translation>
    </message>
    <message>
        <source>Label</source>
        <translation>ラベル</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>テキスト</translation>
    </message>
    <message>
        <source>Search mode</source>
        <translation>検索モード</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>名前:</translation>
    </message>
    <message>
        <source>Item:</source>
        <translation>項目:</translation>
    </message>
    <message>
        <source>Label:</source>
        <translation>ラベル:</translation>
    </message>
    <message>
        <source>Contains:</source>
        <translation>含む文字列:</translation>
    </message>
    <message>
        <source>Search mode:</source>
        <translation>検索モード:</translation>
    </message>
</context>
<context>
    <name>Quillary::Ui::AddressBookWindow</name>
    <message numerus="yes">
        <source>and %n more</source>
        <translation>
            <numerusform>ほか %n 件</numerusform>
        </translation>
    </message>
    <message>
        <source>AddressBook could not be saved.</source>
        <translation>アドレスブックを保存できませんでした。</translation>
    </message>
    <message>
        <source>Do you want to revert AddressBook?</source>
        <translation>アドレスブックを元に戻しますか？</translation>
    </message>
    <message>
        <source>The documentation of Quillary is not installed.</source>
        <translation>Quillary の説明書がインストールされていません。</translation>
    </message>
    <message>
        <source>Feedback of %1</source>
        <translation>%1 へのフィードバック</translation>
    </message>
    <message>
        <source>Quillary can&apos;t use the folder of its address book.</source>
        <translation>Quillary はアドレスブックのフォルダを使用できません。</translation>
    </message>
    <message>
        <source>%1
%2</source>
        <translation>%1
%2</translation>
    </message>
    <message>
        <source>AddressBook is in use by another Quillary.</source>
        <translation>アドレスブックは別の Quillary が使用中です。</translation>
    </message>
    <message>
        <source>It is shown read-only: changes can&apos;t be saved here. It is held by %1.</source>
        <translation>読み出し専用で表示します。ここでの変更は保存できません。使用中のプロセス: %1</translation>
    </message>
    <message>
        <source>Some cards of AddressBook could not be read.</source>
        <translation>アドレスブックの一部のカードを読み込めませんでした。</translation>
    </message>
    <message>
        <source>They are left as they are:
%1</source>
        <translation>次のファイルはそのまま残してあります:
%1</translation>
    </message>
    <message>
        <source>Cannot read AddressFormat.json.</source>
        <translation>AddressFormat.json を読み込めません。</translation>
    </message>
    <message>
        <source>Please make sure the format is valid.</source>
        <translation>フォーマットが正しいか確認してください。</translation>
    </message>
    <message>
        <source>AddressBook is Changed. Do you want to reload AddressBook?</source>
        <translation>アドレスブックが変更されました。アドレスブックを読み込み直しますか？</translation>
    </message>
    <message>
        <source>Your changes will be lost.</source>
        <translation>変更内容は失われます。</translation>
    </message>
    <message>
        <source>Quillary (read-only)</source>
        <translation>Quillary (読み出し専用)</translation>
    </message>
    <message>
        <source>Default Account…</source>
        <translation>デフォルトのアカウント…</translation>
    </message>
    <message>
        <source>New Smart Group…</source>
        <translation>新規スマートグループ…</translation>
    </message>
    <message>
        <source>Quillary Help</source>
        <translation>Quillary ヘルプ</translation>
    </message>
    <message>
        <source>Feedback via Email…</source>
        <translation>メールでフィードバック…</translation>
    </message>
    <message>
        <source>Do you want to save the changes made to AddressBook?</source>
        <translation>アドレスブックに加えた変更を保存しますか？</translation>
    </message>
    <message>
        <source>Your changes will be lost if you don&apos;t save them.</source>
        <translation>保存しないと変更は失われます。</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Don&apos;t Save</source>
        <translation>保存しない</translation>
    </message>
</context>
<context>
    <name>Quillary::Ui::AddressEditor</name>
    <message>
        <source>Country</source>
        <translation>国</translation>
    </message>
    <message>
        <source>Country Name</source>
        <translation>国名</translation>
    </message>
    <message>
        <source>ZIP</source>
        <translation>郵便番号</translation>
    </message>
    <message>
        <source>Lookup</source>
        <translation>検索</translation>
    </message>
    <message>
        <source>State</source>
        <translation>都道府県</translation>
    </message>
    <message>
        <source>States</source>
        <translation>都道府県</translation>
    </message>
    <message>
        <source>Show Code</source>
        <translation>コードを表示</translation>
    </message>
    <message>
        <source>City</source>
        <translation>市区町村</translation>
    </message>
    <message>
        <source>Street</source>
        <translation>番地</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>住所</translation>
    </message>
    <message>
        <source>Postal code</source>
        <translation>郵便番号</translation>
    </message>
    <message>
        <source>Label</source>
        <translation>ラベル</translation>
    </message>
    <message>
        <source>Do not find</source>
        <translation>見つかりません</translation>
    </message>
</context>
<context>
    <name>Quillary::Ui::ContactActions</name>
    <message>
        <source>Add New Contact</source>
        <translation>新しい連絡先を追加</translation>
    </message>
    <message>
        <source>Delete Contact</source>
        <translation>連絡先を削除</translation>
    </message>
    <message>
        <source>Duplicate Contact</source>
        <translation>連絡先を複製</translation>
    </message>
    <message>
        <source>Export Contact as vCard…</source>
        <translation>連絡先を vCard として書き出す…</translation>
    </message>
    <message>
        <source>Export Contacts as CSV…</source>
        <translation>連絡先を CSV として書き出す…</translation>
    </message>
    <message>
        <source>Export Contacts as vCard…</source>
        <translation>連絡先を vCard として書き出す…</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>切り取り(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>コピー(&amp;C)</translation>
    </message>
    <message>
        <source>Copy as CSV</source>
        <translation>CSV としてコピー</translation>
    </message>
    <message>
        <source>Copy as vCard</source>
        <translation>vCard としてコピー</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>貼り付け(&amp;P)</translation>
    </message>
    <message>
        <source>Make Upper Case</source>
        <translation>大文字にする</translation>
    </message>
    <message>
        <source>Make Lower Case</source>
        <translation>小文字にする</translation>
    </message>
    <message>
        <source>Capitalize</source>
        <translation>先頭を大文字にする</translation>
    </message>
    <message>
        <source>Find…</source>
        <translation>検索…</translation>
    </message>
    <message>
        <source>Find Next</source>
        <translation>次を検索</translation>
    </message>
    <message>
        <source>Find Previous</source>
        <translation>前を検索</translation>
    </message>
    <message>
        <source>Use Selection for Find</source>
        <translation>選択部分を検索に使用</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>検索</translation>
    </message>
    <message>
        <source>Transformations</source>
        <translation>変換</translation>
    </message>
    <message>
        <source>&amp;Contact</source>
        <translation>連絡先(&amp;C)</translation>
    </message>
    <message>
        <source>Phone Format</source>
        <translation>電話番号の書式</translation>
    </message>
</context>
<context>
    <name>Quillary::Ui::ContactCard</name>
    <message>
        <source>Edit &amp;Name…</source>
        <translation>名前を編集(&amp;N)…</translation>
    </message>
    <message>
        <source>Choose &amp;Photo…</source>
        <translation>写真を選択(&amp;P)…</translation>
    </message>
    <message>
        <source>Remove P&amp;hoto</source>
        <translation>写真を削除(&amp;H)</translation>
    </message>
    <message>
        <source>Photo</source>
        <translation>写真</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>Add a value</source>
        <translation>値を追加</translation>
    </message>
    <message>
        <source>Values</source>
        <translation>値</translation>
    </message>
    <message>
        <source>No name</source>
        <translation>名前なし</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>コピー</translation>
    </message>
    <message>
        <source>Call</source>
        <translation>電話をかける</translation>
    </message>
    <message>
        <source>Send Email</source>
        <translation>メールを送信</translation>
    </message>
    <message>
        <source>Open URL</source>
        <translation>URL を開く</translation>
    </message>
    <message>
        <source>Show on Map</source>
        <translation>地図に表示</translation>
    </message>
    <message>
        <source>Search on Web Map</source>
        <translation>Web の地図で検索</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>編集…</translation>
    </message>
    <message>
        <source>Choose Photo</source>
        <translation>写真を選択</translation>
    </message>
    <message>
        <source>Choose</source>
        <translation>選択</translation>
    </message>
    <message>
        <source>Images (*.png *.jpg *.jpeg *.gif *.bmp *.ico *.ppm *.pgm *.pbm *.xbm *.xpm)</source>
        <translation>画像 (*.png *.jpg *.jpeg *.gif *.bmp *.ico *.ppm *.pgm *.pbm *.xbm *.xpm)</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>すべてのファイル (*)</translation>
    </message>
    <message>
        <source>The photo could not be set.</source>
        <translation>写真を設定できませんでした。</translation>
    </message>
</context>
<context>
    <name>Quillary::Ui::ContactInfoWindow</name>
    <message>
        <source>Contact Info</source>
        <translation>連絡先の情報</translation>
    </message>
    <message>
        <source>&amp;Detach</source>
        <translation>切り離す(&amp;D)</translation>
    </message>
    <message>
        <source>Detach into a panel that follows the selection</source>
        <translation>選択に追従するパネルとして切り離す</translation>
    </message>
</context>
<context>
    <name>Quillary::Ui::ContactPane</name>
    <message>
        <source>No Contacts</source>
        <translation>連絡先がありません</translation>
    </message>
    <message>
        <source>Drop vCard files here, or choose File &gt; Import from vCard…</source>
        <translation>ここに vCard ファイルをドロップするか、「ファイル」&gt;「vCard から読み込む…」を選んでください</translation>
    </message>
    <message>
        <source>Lock</source>
        <translation>ロック</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>編集</translation>
    </message>
    <message>
        <source>Do you want to add the group?</source>
        <translation>グループを追加しますか？</translation>
    </message>
    <message>
        <source>This operation can&apos;t be undone.</source>
        <translation>この操作は取り消せません。</translation>
    </message>
    <message>
        <source>Do you want to remove the group?</source>
        <translation>グループを削除しますか？</translation>
    </message>
    <message>
        <source>Fonts</source>
        <translation>フォント</translation>
    </message>
</context>
<context>
    <name>Quillary::Ui::ContactPrinter</name>
    <message>
        <source>Contacts</source>
        <translation>連絡先</translation>
    </message>
</context>
<context>
    <name>Quillary::Ui::ContactWindow</name>
    <message>
        <source>Toolbar</source>
        <translation>ツールバー</translation>
    </message>
</context>
<context>
    <name>Quillary::Ui::ContactsTableEditing</name>
    <message>
        <source>Custom Label</source>
        <translation>カスタムラベル</translation>
    </message>
</context>
<context>
    <name>Quillary::Ui::ContactsTableView</name>
    <message>
        <source>Sort by</source>
        <translation>並べ替えの基準</translation>
    </message>
</context>
<context>
    <name>Quillary::Ui::DateEditor</name>
    <message>
        <source>Without Year</source>
        <translation>年なし</translation>
    </message>
    <message>
        <source>Label</source>
        <translation>ラベル</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>カレンダー</translation>
    </message>
    <message>
        <source>Choose in a calendar</source>
        <translation>カレンダーから選択</translation>
    </message>
    <message>
        <source>This date cannot be read.</source>
        <translation>この日付は読み取れません。</translation>
    </message>
</context>
<context>
    <name>Quillary::Ui::DocumentController</name>
    <message>
        <source>The document “%1” could not be opened.</source>
        <translation>書類“%1”を開けませんでした。</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>開く</translation>
    </message>
    <message>
        <source>Contacts (*.vcf *.vcard *.csv)</source>
        <translation>連絡先 (*.vcf *.vcard *.csv)</translation>
    </message>
    <message>
        <source>vCard (*.vcf *.vcard)</source>
        <translation>vCard (*.vcf *.vcard)</translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation>CSV (*.csv)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>すべてのファイル (*)</translation>
    </message>
    <message>
        <source>Clear Menu</source>
        <translation>メニューを消去</translation>
    </message>
</context>
<context>
    <name>Quillary::Ui::DocumentFileCommands</name>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>The document “%1” could not be saved.</source>
        <translation>書類“%1”を保存できませんでした。</translation>
    </message>
    <message>
        <source>Do you want to revert to the most recently saved version?</source>
        <translation>最後に保存したバージョンに戻しますか？</translation>
    </message>
    <message>
        <source>Your current changes will be lost.</source>
        <translation>現在の変更は失われます。</translation>
    </message>
    <message>
        <source>The document “%1” could not be opened.</source>
        <translation>書類“%1”を開けませんでした。</translation>
    </message>
    <message>
        <source>Do you want to close while the document is edited?</source>
        <translation>書類は編集されています。閉じますか？</translation>
    </message>
    <message>
        <source>You can not save as CSV file.</source>
        <translation>CSV ファイルとして保存することはできません。</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>破棄</translation>
    </message>
    <message>
        <source>Do you want to save the changes made to the document “%1”?</source>
        <translation>書類“%1”への変更を保存しますか？</translation>
    </message>
    <message>
        <source>Your changes will be lost if you don&apos;t save them.</source>
        <translation>保存しないと変更は失われます。</translation>
    </message>
    <message>
        <source>Save…</source>
        <translation>保存…</translation>
    </message>
    <message>
        <source>Don&apos;t Save</source>
        <translation>保存しない</translation>
    </message>
</context>
<context>
    <name>Quillary::Ui::DocumentMenus</name>
    <message>
        <source>&amp;New</source>
        <translation>新規(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Open…</source>
        <translation>開く(&amp;O)…</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>閉じる(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>保存(&amp;S)</translation>
    </message>
    <message>
        <source>Revert to Saved</source>
        <translation>保存した状態に戻す</translation>
    </message>
    <message>
        <source>Export as CSV…</source>
        <translation>CSV として書き出す…</translation>
    </message>
    <message>
        <source>Export as vCard…</source>
        <translation>vCard として書き出す…</translation>
    </message>
    <message>
        <source>Import from vCard…</source>
        <translation>vCard から読み込む…</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>終了(&amp;Q)</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>取り消す</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>やり直す</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>すべてを選択(&amp;A)</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>編集</translation>
    </message>
    <message>
        <source>Show Groups</source>
        <translation>グループを表示</translation>
    </message>
    <message>
        <source>Add Group</source>
        <translation>グループを追加</translation>
    </message>
    <message>
        <source>Delete Group</source>
        <translation>グループを削除</translation>
    </message>
    <message>
        <source>Font…</source>
        <translation>フォント…</translation>
    </message>
    <message>
        <source>Use Default Font</source>
        <translation>デフォルトのフォントを使用</translation>
    </message>
    <message>
        <source>Show Company in Name Cell</source>
        <translation>名前のセルに会社名を表示</translation>
    </message>
    <message>
        <source>Show Name in all rows</source>
        <translation>すべての行に名前を表示</translation>
    </message>
    <message>
        <source>Show Contact Info</source>
        <translation>連絡先の情報を表示</translation>
    </message>
    <message>
        <source>&amp;About Quillary</source>
        <translation>Quillary について(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>Open Recent</source>
        <translation>最近使った書類を開く</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>編集(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>表示(&amp;V)</translation>
    </message>
    <message>
        <source>View Type</source>
        <translation>表示の種類</translation>
    </message>
    <message>
        <source>Columns</source>
        <translation>列</translation>
    </message>
    <message>
        <source>Sort Options</source>
        <translation>並べ替えの基準</translation>
    </message>
    <message>
        <source>&amp;Navigate</source>
        <translation>移動(&amp;N)</translation>
    </message>
    <message>
        <source>Select Group</source>
        <translation>グループを選択</translation>
    </message>
    <message>
        <source>Select Label</source>
        <translation>ラベルを選択</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
    <message>
        <source>Label</source>
        <translation>ラベル</translation>
    </message>
    <message>
        <source>Contact</source>
        <translation>連絡先</translation>
    </message>
</context>
<context>
    <name>Quillary::Ui::DocumentPanelCommands</name>
    <message>
        <source>Find Panel…</source>
        <translation>検索パネル…</translation>
    </message>
    <message>
        <source>Merge Contacts…</source>
        <translation>連絡先を結合…</translation>
    </message>
    <message>
        <source>Find Duplicates…</source>
        <translation>重複を検索…</translation>
    </message>
</context>
<context>
    <name>Quillary::Ui::DocumentWindow</name>
    <message>
        <source>%1[*] — %2</source>
        <translation>%1[*] — %2</translation>
    </message>
</context>
<context>
    <name>Quillary::Ui::DuplicateFinderDialog</name>
    <message>
        <source>same e-mail address</source>
        <translation>同じメールアドレス</translation>
    </message>
    <message>
        <source>same phone number</source>
        <translation>同じ電話番号</translation>
    </message>
    <message>
        <source>same name</source>
        <translation>同じ名前</translation>
    </message>
    <message>
        <source>Merge…</source>
        <translation>結合…</translation>
    </message>
    <message>
        <source>Find Duplicates</source>
        <translation>重複を検索</translation>
    </message>
    <message>
        <source>Probable duplicates</source>
        <translation>重複の可能性がある連絡先</translation>
    </message>
    <message>
        <source>Merge the chosen contacts</source>
        <translation>選択した連絡先を結合</translation>
    </message>
    <message>
        <source>Choose two contacts of a group</source>
        <translation>グループから 2 件の連絡先を選んでください</translation>
    </message>
    <message>
        <source>No probable duplicates.</source>
        <translation>重複の可能性がある連絡先はありません。</translation>
    </message>
    <message>
        <source>1 group of contacts that are probably the same person.</source>
        <translation>同一人物と思われる連絡先が 1 組あります。</translation>
    </message>
    <message>
        <source>%1 groups of contacts that are probably the same person.</source>
        <translation>同一人物と思われる連絡先が %1 組あります。</translation>
    </message>
    <message>
        <source>Do you want to remove the contact?</source>
        <translation>連絡先を削除しますか？</translation>
    </message>
    <message>
        <source>“%1” has no values left but its name. This operation can be undone.</source>
        <translation>“%1”には名前以外の値が残っていません。この操作は取り消せます。</translation>
    </message>
</context>
<context>
    <name>Quillary::Ui::EditorDialog</name>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>完了</translation>
    </message>
    <message>
        <source>No name</source>
        <translation>名前なし</translation>
    </message>
    <message>
        <source>Contact</source>
        <translation>連絡先</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>追加</translation>
    </message>
</context>
<context>
    <name>Quillary::Ui::EncodingAccessory</name>
    <message>
        <source>Encoding:</source>
        <translation>文字コード:</translation>
    </message>
</context>
<context>
    <name>Quillary::Ui::EncodingListPanel</name>
    <message>
        <source>Select All</source>
        <translation>すべてを選択</translation>
    </message>
    <message>
        <source>Clear All</source>
        <translation>すべての選択を解除</translation>
    </message>
    <message>
        <source>Revert</source>
        <translation>元に戻す</translation>
    </message>
    <message>
        <source>Customize Encoding List</source>
        <translation>文字コードの一覧をカスタマイズ</translation>
    </message>
</context>
<context>
    <name>Quillary::Ui::ExchangeCommands</name>
    <message>
        <source>vCard (*.vcf *.vcard)</source>
        <translation>vCard (*.vcf *.vcard)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>すべてのファイル (*)</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>書き出す</translation>
    </message>
    <message>
        <source>Export As:</source>
        <translation>書き出し名:</translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation>CSV (*.csv)</translation>
    </message>
    <message>
        <source>Text (*.txt)</source>
        <translation>テキスト (*.txt)</translation>
    </message>
    <message>
        <source>Import from vCard</source>
        <translation>vCard から読み込む</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>読み込む</translation>
    </message>
    <message>
        <source>Couldn&apos;t read the file.</source>
        <translation>ファイルを読み込めませんでした。</translation>
    </message>
</context>
<context>
    <name>Quillary::Ui::FindBar</name>
    <message>
        <source>Find</source>
        <translation>検索</translation>
    </message>
    <message>
        <source>Match Case</source>
        <translation>大文字と小文字を区別</translation>
    </message>
    <message>
        <source>Find Previous</source>
        <translation>前を検索</translation>
    </message>
    <message>
        <source>Find Next</source>
        <translation>次を検索</translation>
    </message>
    <message>
        <source>Matches</source>
        <translation>一致</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>完了</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>置換</translation>
    </message>
    <message>
        <source>Replace All</source>
        <translation>すべて置換</translation>
    </message>
    <message>
        <source>Find Bar</source>
        <translation>検索バー</translation>
    </message>
    <message numerus="yes">
        <source>%n replaced</source>
        <translation>
            <numerusform>%n 件を置換しました</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Quillary::Ui::FindPanel</name>
    <message>
        <source>Find</source>
        <translation>検索</translation>
    </message>
    <message>
        <source>Search text</source>
        <translation>検索テキスト</translation>
    </message>
    <message>
        <source>Search error</source>
        <translation>検索エラー</translation>
    </message>
    <message>
        <source>Search mode</source>
        <translation>検索モード</translation>
    </message>
    <message>
        <source>Case Insensitive</source>
        <translation>大文字と小文字を区別しない</translation>
    </message>
    <message>
        <source>Case Sensitive</source>
        <translation>大文字と小文字を区別する</translation>
    </message>
    <message>
        <source>Regular Expression</source>
        <translation>正規表現</translation>
    </message>
    <message>
        <source>Items</source>
        <translation>項目</translation>
    </message>
    <message>
        <source>Sub Items</source>
        <translation>サブ項目</translation>
    </message>
    <message>
        <source>Labels</source>
        <translation>ラベル</translation>
    </message>
    <message>
        <source>Replacement text</source>
        <translation>置換テキスト</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>置換</translation>
    </message>
    <message>
        <source>Replace the current occurrence</source>
        <translation>現在の一致箇所を置換</translation>
    </message>
    <message>
        <source>Replace All</source>
        <translation>すべて置換</translation>
    </message>
    <message>
        <source>Replace every occurrence</source>
        <translation>すべての一致箇所を置換</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>前へ</translation>
    </message>
    <message>
        <source>Previous occurrence</source>
        <translation>前の一致箇所</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>次へ</translation>
    </message>
    <message>
        <source>Next occurrence</source>
        <translation>次の一致箇所</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Results</source>
        <translation>結果</translation>
    </message>
</context>
<context>
    <name>Quillary::Ui::GroupMenuList</name>
    <message>
        <source>Filter Groups</source>
        <translation>グループを絞り込む</translation>
    </message>
    <message>
        <source>Groups</source>
        <translation>グループ</translation>
    </message>
</context>
<context>
    <name>Quillary::Ui::GroupSideBar</name>
    <message>
        <source>Groups</source>
        <translation>グループ</translation>
    </message>
</context>
<context>
    <name>Quillary::Ui::ImportPanel</name>
    <message>
        <source>Import from vCard</source>
        <translation>vCard から読み込む</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>選択</translation>
    </message>
</context>
<context>
    <name>Quillary::Ui::InstantMessageEditor</name>
    <message>
        <source>Label</source>
        <translation>ラベル</translation>
    </message>
    <message>
        <source>Service</source>
        <translation>サービス</translation>
    </message>
    <message>
        <source>User Name</source>
        <translation>ユーザ名</translation>
    </message>
</context>
<context>
    <name>Quillary::Ui::LabelPopup</name>
    <message>
        <source>Custom Label</source>
        <translation>カスタムラベル</translation>
    </message>
    <message>
        <source>Label</source>
        <translation>ラベル</translation>
    </message>
    <message>
        <source>Custom Service</source>
        <translation>カスタムサービス</translation>
    </message>
    <message>
        <source>Service</source>
        <translation>サービス</translation>
    </message>
</context>
<context>
    <name>Quillary::Ui::LabelPresetEditor</name>
    <message>
        <source>Label Presets</source>
        <translation>ラベルのプリセット</translation>
    </message>
    <message>
        <source>Presets</source>
        <translation>プリセット</translation>
    </message>
    <message>
        <source>Name of the new preset</source>
        <translation>新しいプリセットの名前</translation>
    </message>
    <message>
        <source>Name of the current size</source>
        <translation>現在のサイズの名前</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>追加</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Add the current size as a preset</source>
        <translation>現在のサイズをプリセットとして追加</translation>
    </message>
    <message>
        <source>Delete the chosen preset</source>
        <translation>選択したプリセットを削除</translation>
    </message>
</context>
<context>
    <name>Quillary::Ui::MergeLabelDelegate</name>
    <message>
        <source>Label</source>
        <translation>ラベル</translation>
    </message>
</context>
<context>
    <name>Quillary::Ui::MergePanelController</name>
    <message>
        <source>Merge Contacts</source>
        <translation>連絡先を結合</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>完了</translation>
    </message>
    <message>
        <source>Left contact</source>
        <translation>左の連絡先</translation>
    </message>
    <message>
        <source>Right contact</source>
        <translation>右の連絡先</translation>
    </message>
    <message>
        <source>Changes will not be saved</source>
        <translation>変更は保存されません</translation>
    </message>
    <message>
        <source>Add Photo</source>
        <translation>写真を追加</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>開く</translation>
    </message>
    <message>
        <source>Can&apos;t read the image</source>
        <translation>画像を読み込めません</translation>
    </message>
    <message>
        <source>Open Map</source>
        <translation>地図を開く</translation>
    </message>
    <message>
        <source>Send Email</source>
        <translation>メールを送信</translation>
    </message>
    <message>
        <source>Call Phone</source>
        <translation>電話をかける</translation>
    </message>
    <message>
        <source>Open URL</source>
        <translation>URL を開く</translation>
    </message>
    <message>
        <source>Open Calendar</source>
        <translation>カレンダーを開く</translation>
    </message>
    <message>
        <source>Open Edit Panel</source>
        <translation>編集パネルを開く</translation>
    </message>
    <message>
        <source>Delete Photo</source>
        <translation>写真を削除</translation>
    </message>
</context>
<context>
    <name>Quillary::Ui::MultiValueEditor</name>
    <message>
        <source>Values of %1</source>
        <translation>%1の値</translation>
    </message>
    <message>
        <source>Label</source>
        <translation>ラベル</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>追加</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>上へ移動</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>下へ移動</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>編集…</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>編集</translation>
    </message>
</context>
<context>
    <name>Quillary::Ui::NameEditor</name>
    <message>
        <source>First Name</source>
        <translation>名</translation>
    </message>
    <message>
        <source>Middle Name</source>
        <translation>ミドルネーム</translation>
    </message>
    <message>
        <source>Last Name</source>
        <translation>姓</translation>
    </message>
    <message>
        <source>Previous Family Name</source>
        <translation>旧姓</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>敬称(前)</translation>
    </message>
    <message>
        <source>Suffix</source>
        <translation>敬称(後)</translation>
    </message>
    <message>
        <source>Show as</source>
        <translation>表示形式</translation>
    </message>
    <message>
        <source>Name Ordering</source>
        <translation>名前の順序</translation>
    </message>
</context>
<context>
    <name>Quillary::Ui::OutputCommands</name>
    <message>
        <source>Print…</source>
        <translation>プリント…</translation>
    </message>
    <message>
        <source>Print Preview…</source>
        <translation>プリントプレビュー…</translation>
    </message>
    <message>
        <source>Show QRCode</source>
        <translation>QR コードを表示</translation>
    </message>
    <message>
        <source>Use as My Card</source>
        <translation>自分のカードとして使用</translation>
    </message>
</context>
<context>
    <name>Quillary::Ui::PhoneticNameEditor</name>
    <message>
        <source>Phonetic First Name</source>
        <translation>フリガナ(名)</translation>
    </message>
    <message>
        <source>Phonetic Middle Name</source>
        <translation>フリガナ(ミドルネーム)</translation>
    </message>
    <message>
        <source>Phonetic Last Name</source>
        <translation>フリガナ(姓)</translation>
    </message>
</context>
<context>
    <name>Quillary::Ui::PhotoWell</name>
    <message>
        <source>Photo</source>
        <translation>写真</translation>
    </message>
    <message>
        <source>No photo</source>
        <translation>写真なし</translation>
    </message>
</context>
<context>
    <name>Quillary::Ui::PrintAccessory</name>
    <message>
        <source>Contacts</source>
        <translation>連絡先</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>単位</translation>
    </message>
    <message>
        <source>Print Style</source>
        <translation>印刷スタイル</translation>
    </message>
    <message>
        <source>Unit:</source>
        <translation>単位:</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>フォント</translation>
    </message>
    <message>
        <source>Font:</source>
        <translation>フォント:</translation>
    </message>
    <message>
        <source>Top margin:</source>
        <translation>上余白:</translation>
    </message>
    <message>
        <source>Left margin:</source>
        <translation>左余白:</translation>
    </message>
    <message>
        <source>Right margin:</source>
        <translation>右余白:</translation>
    </message>
    <message>
        <source>Bottom margin:</source>
        <translation>下余白:</translation>
    </message>
    <message>
        <source>Print frame</source>
        <translation>枠を印刷</translation>
    </message>
    <message>
        <source>Alternating rows</source>
        <translation>行の背景を交互に変える</translation>
    </message>
    <message>
        <source>Printed fields</source>
        <translation>印刷する項目</translation>
    </message>
    <message>
        <source>Label</source>
        <translation>ラベル</translation>
    </message>
    <message>
        <source>Labels printed</source>
        <translation>印刷するラベル</translation>
    </message>
    <message>
        <source>Labels:</source>
        <translation>ラベル:</translation>
    </message>
    <message>
        <source>Label width:</source>
        <translation>ラベルの幅:</translation>
    </message>
    <message>
        <source>Label height:</source>
        <translation>ラベルの高さ:</translation>
    </message>
    <message>
        <source>Horizontal gap:</source>
        <translation>横の間隔:</translation>
    </message>
    <message>
        <source>Vertical gap:</source>
        <translation>縦の間隔:</translation>
    </message>
    <message>
        <source>Label presets</source>
        <translation>ラベルのプリセット</translation>
    </message>
    <message>
        <source>Presets:</source>
        <translation>プリセット:</translation>
    </message>
    <message>
        <source>Address printed</source>
        <translation>印刷する住所</translation>
    </message>
    <message>
        <source>Home address</source>
        <translation>自宅の住所</translation>
    </message>
    <message>
        <source>Work address</source>
        <translation>勤務先の住所</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>住所:</translation>
    </message>
    <message>
        <source>Copies of each label</source>
        <translation>各ラベルの枚数</translation>
    </message>
    <message>
        <source>Copies of each:</source>
        <translation>各枚数:</translation>
    </message>
    <message>
        <source>Print phone</source>
        <translation>電話番号を印刷</translation>
    </message>
    <message>
        <source>Print country</source>
        <translation>国名を印刷</translation>
    </message>
    <message>
        <source>Print company</source>
        <translation>会社名を印刷</translation>
    </message>
    <message>
        <source>Print department</source>
        <translation>部署名を印刷</translation>
    </message>
    <message>
        <source>Print sender</source>
        <translation>差出人を印刷</translation>
    </message>
    <message>
        <source>Sender&apos;s address</source>
        <translation>差出人の住所</translation>
    </message>
    <message>
        <source>Sender&apos;s address:</source>
        <translation>差出人の住所:</translation>
    </message>
    <message>
        <source>Postcard type</source>
        <translation>はがきの種類</translation>
    </message>
    <message>
        <source>Postcard:</source>
        <translation>はがき:</translation>
    </message>
    <message>
        <source>Honorific</source>
        <translation>敬称</translation>
    </message>
    <message>
        <source>Honorific:</source>
        <translation>敬称:</translation>
    </message>
    <message>
        <source>Print spouse</source>
        <translation>配偶者を印刷</translation>
    </message>
    <message>
        <source>Print children</source>
        <translation>子供を印刷</translation>
    </message>
    <message>
        <source>Show the card&apos;s boxes</source>
        <translation>はがきの枠を表示</translation>
    </message>
</context>
<context>
    <name>Quillary::Ui::ProgressAlert</name>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
</context>
<context>
    <name>Quillary::Ui::QRCodePanel</name>
    <message>
        <source>Copy</source>
        <translation>コピー</translation>
    </message>
    <message>
        <source>Save PNG…</source>
        <translation>PNG で保存…</translation>
    </message>
    <message>
        <source>QR Code</source>
        <translation>QR コード</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>形式</translation>
    </message>
    <message>
        <source>Values in the code</source>
        <translation>コードに含める値</translation>
    </message>
    <message>
        <source>Payload</source>
        <translation>内容</translation>
    </message>
    <message>
        <source>QR code</source>
        <translation>QR コード</translation>
    </message>
    <message>
        <source>Copy the QR code</source>
        <translation>QR コードをコピー</translation>
    </message>
    <message>
        <source>Save the QR code as PNG</source>
        <translation>QR コードを PNG で保存</translation>
    </message>
    <message>
        <source>Save PNG</source>
        <translation>PNG で保存</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>PNG image (*.png)</source>
        <translation>PNG 画像 (*.png)</translation>
    </message>
    <message>
        <source>Can&apos;t save the file</source>
        <translation>ファイルを保存できません</translation>
    </message>
</context>
<context>
    <name>Quillary::Ui::ReplaceAlertPanel</name>
    <message>
        <source>Label</source>
        <translation>ラベル</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>テキスト</translation>
    </message>
</context>
<context>
    <name>Quillary::Ui::TextCellDelegate</name>
    <message>
        <source>Value</source>
        <translation>値</translation>
    </message>
</context>
<context>
    <name>Quillary::Ui::ValueEditor</name>
    <message>
        <source>Label</source>
        <translation>ラベル</translation>
    </message>
</context>
<context>
    <name>Quillary::Ui::WindowContactCommands</name>
    <message>
        <source>Can&apos;t save the file</source>
        <translation>ファイルを保存できません</translation>
    </message>
</context>
<context>
    <name>Quillary::Ui::ZipChoiceDialog</name>
    <message>
        <source>Choose an Address</source>
        <translation>住所を選択</translation>
    </message>
    <message>
        <source>Addresses of the postal code</source>
        <translation>この郵便番号の住所</translation>
    </message>
    <message numerus="yes">
        <source>%n addresses match this postal code.</source>
        <translation>
            <numerusform>この郵便番号に一致する住所は %n 件です。</numerusform>
        </translation>
    </message>
</context>
</TS>
