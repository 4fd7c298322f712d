<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>CHANNELINFO_Form</name>
    <message>
        <source>信道信息</source>
        <translation>Channels</translation>
    </message>
    <message>
        <source>增加(A)</source>
        <translation>Add(A)</translation>
    </message>
    <message>
        <source>删除(D)</source>
        <translation>Delete(D)</translation>
    </message>
    <message>
        <source>上移</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>下移</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>信道</source>
        <translation>Ch</translation>
    </message>
    <message>
        <source>接收频率</source>
        <translation>RX Freq</translation>
    </message>
    <message>
        <source>发射频率</source>
        <translation>TX Freq</translation>
    </message>
    <message>
        <source>带宽</source>
        <translation>BW</translation>
    </message>
    <message>
        <source>功率</source>
        <translation>Power</translation>
    </message>
    <message>
        <source>扫描</source>
        <translation>Scan</translation>
    </message>
    <message>
        <source>亚音编码</source>
        <translation>TX Tone</translation>
    </message>
    <message>
        <source>亚音解码</source>
        <translation>RX Tone</translation>
    </message>
    <message>
        <source>遇忙禁发</source>
        <translation>BCL</translation>
    </message>
    <message>
        <source>PTT拨号</source>
        <translation>PTT Dial</translation>
    </message>
    <message>
        <source>高</source>
        <translation>High</translation>
    </message>
    <message>
        <source>低</source>
        <translation>Low</translation>
    </message>
    <message>
        <source>是</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>否</source>
        <translation>No</translation>
    </message>
    <message>
        <source>无</source>
        <translation>None</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>On</translation>
    </message>
    <message>
        <source>添加信道</source>
        <translation>Add channel</translation>
    </message>
    <message>
        <source>删除信道</source>
        <translation>Delete channels</translation>
    </message>
    <message>
        <source>上移信道</source>
        <translation>Move channels up</translation>
    </message>
    <message>
        <source>下移信道</source>
        <translation>Move channels down</translation>
    </message>
    <message>
        <source>按频率排序</source>
        <translation>Sort by frequency</translation>
    </message>
    <message>
        <source>修改%1</source>
        <translation>Edit %1</translation>
    </message>
</context>
</TS>