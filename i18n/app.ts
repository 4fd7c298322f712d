<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>MainWindow</name>
    <message>
        <source>MainWindow</source>
        <translation>MainWindow</translation>
    </message>
    <message>
        <source>对讲机信息</source>
        <translation>Radio Info</translation>
    </message>
    <message>
        <source>信道信息</source>
        <translation>Channels</translation>
    </message>
    <message>
        <source>整机设置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>收音机</source>
        <translation>FM Radio</translation>
    </message>
    <message>
        <source>发行时间</source>
        <translation>Released</translation>
    </message>
    <message>
        <source>ReleaseTime</source>
        <translation>ReleaseTime</translation>
    </message>
    <message>
        <source>发行版本</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>V1.01</source>
        <translation>V1.01</translation>
    </message>
    <message>
        <source>发行公司</source>
        <translation>Company</translation>
    </message>
    <message>
        <source>ReleaseCompany</source>
        <translation>ReleaseCompany</translation>
    </message>
    <message>
        <source>本地时间</source>
        <translation>Local Time</translation>
    </message>
    <message>
        <source>CurrentTime</source>
        <translation>CurrentTime</translation>
    </message>
    <message>
        <source>文件名</source>
        <translation>File</translation>
    </message>
    <message>
        <source>FileName</source>
        <translation>FileName</translation>
    </message>
    <message>
        <source>[文件读取操作]</source>
        <translation>[Open File]</translation>
    </message>
    <message>
        <source>读取失败,默认文件数据被破坏,请另存为默认文件!</source>
        <translation>Reading failed: the default file data is damaged, please save it as the default file again!</translation>
    </message>
    <message>
        <source>打开文件</source>
        <translation>Open File</translation>
    </message>
    <message>
        <source>保存文件</source>
        <translation>Save File</translation>
    </message>
    <message>
        <source>[文件保存操作]</source>
        <translation>[Save File]</translation>
    </message>
    <message>
        <source>保存失败,默认文件不允许修改,请使用另存为!</source>
        <translation>Save failed: the default file may not be changed, please use Save As!</translation>
    </message>
    <message>
        <source>保存失败,无法写入文件(%1),原文件保持不变!</source>
        <translation>Save failed: the file (%1) could not be written; the existing file is unchanged!</translation>
    </message>
    <message>
        <source>保存成功,数据保存到文件(</source>
        <translation>Saved successfully, data written to the file (</translation>
    </message>
    <message>
        <source>保存修改?</source>
        <translation>Save changes?</translation>
    </message>
    <message>
        <source>不保存</source>
        <translation>Discard</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>导入信道表</source>
        <translation>Import Channels</translation>
    </message>
    <message>
        <source>[导入信道表]</source>
        <translation>[Import Channels]</translation>
    </message>
    <message>
        <source>导入失败,无法读取信道表文件(%1),信道未改变!</source>
        <translation>Import failed: the channel plan file (%1) could not be read; the channels are unchanged!</translation>
    </message>
    <message>
        <source>导入失败,文件(%1)不是信道表,信道未改变!</source>
        <translation>Import failed: the file (%1) is not a channel plan; the channels are unchanged!</translation>
    </message>
    <message>
        <source>第%1行:%2</source>
        <translation>Line %1: %2</translation>
    </message>
    <message>
        <source>第%1行拒绝:%2</source>
        <translation>Line %1 refused: %2</translation>
    </message>
    <message>
        <source>第%1行调整:%2</source>
        <translation>Line %1 adjusted: %2</translation>
    </message>
    <message>
        <source>导入失败,文件(%1)中没有可导入的行,信道未改变!</source>
        <translation>Import failed: the file (%1) has no row that can be imported; the channels are unchanged!</translation>
    </message>
    <message>
        <source>导入完成:导入%1行,拒绝%2行,调整%3行</source>
        <translation>Import done: %1 rows imported, %2 refused, %3 adjusted</translation>
    </message>
    <message>
        <source>(其余%1条见详细信息)</source>
        <translation>(%1 more under Show Details)</translation>
    </message>
    <message>
        <source>导出信道表</source>
        <translation>Export Channels</translation>
    </message>
    <message>
        <source>[导出信道表]</source>
        <translation>[Export Channels]</translation>
    </message>
    <message>
        <source>导出失败,无法写入文件(%1),原文件保持不变!</source>
        <translation>Export failed: the file (%1) could not be written; the existing file is unchanged!</translation>
    </message>
    <message>
        <source>导出成功,%1个信道保存到文件(%2)!</source>
        <translation>Exported successfully: %1 channels written to the file (%2)!</translation>
    </message>
    <message>
        <source>[粘贴信道]</source>
        <translation>[Paste Channels]</translation>
    </message>
    <message>
        <source>粘贴失败,剪贴板中没有可粘贴的信道行,信道未改变!</source>
        <translation>Paste failed: the clipboard holds no channel row that can be pasted; the channels are unchanged!</translation>
    </message>
    <message>
        <source>粘贴完成:粘贴%1行,拒绝%2行,调整%3行</source>
        <translation>Paste done: %1 rows pasted, %2 refused, %3 adjusted</translation>
    </message>
    <message>
        <source>文件(%1)已不存在,已从最近的文件中移除!</source>
        <translation>The file (%1) is no longer there; it was removed from the recent files!</translation>
    </message>
    <message>
        <source>打开失败,文件(%1)无法读取或不是本机型的数据文件,数据未改变!</source>
        <translation>Open failed: the file (%1) cannot be read or is no data file of this radio; the data is unchanged!</translation>
    </message>
</context>
<context>
    <name>RADIOINFO_Form</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>机器型号:</source>
        <translation>Model:</translation>
    </message>
    <message>
        <source>机器版本:</source>
        <translation>Version:</translation>
    </message>
    <message>
        <source>V0.00</source>
        <translation>V0.00</translation>
    </message>
    <message>
        <source>频段范围:</source>
        <translation>Band:</translation>
    </message>
    <message>
        <source>400Mhz~480Mhz</source>
        <translation>400Mhz~480Mhz</translation>
    </message>
</context>
</TS>
