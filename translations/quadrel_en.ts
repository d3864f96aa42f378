<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>Quadrel</name>
    <message>
        <source>%1图片保存成功。</source>
        <translation>Picture saved: %1</translation>
    </message>
    <message>
        <source>Export Report（Excel Format）</source>
        <translation>Export Report (Excel Format)</translation>
    </message>
    <message>
        <source>Export Report（Word Format 1）</source>
        <translation>Export Report (Word Format 1)</translation>
    </message>
    <message>
        <source>Export Report（Word Format 2）</source>
        <translation>Export Report (Word Format 2)</translation>
    </message>
    <message>
        <source>Export data（Excel Format）</source>
        <translation>Export data (Excel Format)</translation>
    </message>
    <message>
        <source>Max(Max - Avg，| Min - Avg |)</source>
        <translation>Max(Max - Avg, | Min - Avg |)</translation>
    </message>
    <message>
        <source>SS X1°～X2°</source>
        <translation>SS X1°~X2°</translation>
    </message>
    <message>
        <source>中文</source>
        <translation>Chinese</translation>
    </message>
    <message>
        <source>使用中文名称</source>
        <translation>Use Chinese names</translation>
    </message>
    <message>
        <source>使用英文名称</source>
        <translation>Use English names</translation>
    </message>
    <message>
        <source>信息提示</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>恢复默认设置</source>
        <translation>Restore Defaults</translation>
    </message>
    <message>
        <source>指标命名设置</source>
        <translation>Indicator Naming Settings</translation>
    </message>
    <message>
        <source>接受到关闭消息</source>
        <translation>Close message received</translation>
    </message>
    <message>
        <source>英文</source>
        <translation>English</translation>
    </message>
    <message>
        <source>选择数据导入目录：</source>
        <translation>Choose the data folder:</translation>
    </message>
</context>
</TS>
